// The simulated remote-access service against the rules its phone-book folder sets: the
// listing, the stored dial parameters, the progress of a dial on a thread of its own, the
// hang-up and its error texts.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sim/SimulatedRemoteAccess.h"
#include "platform/text/Cp1251.h"
#include "support/TempFolder.h"

namespace {

using namespace std::chrono_literals;
using platform::RasDialParams;
using platform::RasEntryNames;
using platform::RemoteAccess;
using platform::SimulatedRemoteAccess;
using SteadyClock = std::chrono::steady_clock;
using StateAndError = std::pair<std::uint32_t, std::uint32_t>;
using Sequence = std::vector<StateAndError>;

constexpr std::uint32_t kConnected = 8192;
constexpr std::uint32_t kDisconnected = 8193;
// Long enough for a report that is due at once, even on a busy machine.
constexpr auto kPatience = 5s;
// How long a test watches for reports that must not come.
constexpr auto kQuietSpell = 400ms;

const Sequence kConnectedRun = {{0, 0}, {1, 0}, {2, 0},  {3, 0},
                                {4, 0}, {5, 0}, {14, 0}, {kConnected, 0}};

struct Report {
  std::uint32_t state;
  std::uint32_t error;
  SteadyClock::time_point at;
};

// The notifier carries no context, so a recorder is a set of statics; each Id is a separate
// recorder, for dials that run side by side.
template <int Id>
class Recorder {
 public:
  static void Notify(std::uint32_t /*message*/, std::uint32_t state, std::uint32_t error) {
    {
      std::lock_guard lock(mutex_);
      reports_.push_back({state, error, SteadyClock::now()});
    }
    changed_.notify_all();
  }

  static void Reset() {
    std::lock_guard lock(mutex_);
    reports_.clear();
  }

  // True once `count` reports have come; false when the time runs out first.
  template <typename Duration>
  static bool WaitFor(std::size_t count, Duration timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [count] { return reports_.size() >= count; });
  }

  static std::vector<Report> Reports() {
    std::lock_guard lock(mutex_);
    return reports_;
  }

  static Sequence States() {
    Sequence states;
    for (const Report& report : Reports()) states.emplace_back(report.state, report.error);
    return states;
  }

  static std::size_t Count() {
    std::lock_guard lock(mutex_);
    return reports_.size();
  }

 private:
  static inline std::mutex mutex_;
  static inline std::condition_variable changed_;
  static inline std::vector<Report> reports_;
};

using First = Recorder<0>;
using Second = Recorder<1>;

long long MillisecondsBetween(const Report& from, const Report& to) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(to.at - from.at).count();
}

class SimulatedRemoteAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    First::Reset();
    Second::Reset();
  }

  // The phone book from UTF-8 lines, stored as Windows-1251 with CR LF line ends.
  void WritePhoneBook(std::initializer_list<std::string_view> lines) {
    std::string utf8;
    for (std::string_view line : lines) {
      utf8 += line;
      utf8 += "\r\n";
    }
    folder_.Write(SimulatedRemoteAccess::kPhoneBookName, text::Cp(utf8));
  }

  static RasDialParams Params(std::string_view entryUtf8, std::string_view userUtf8 = "",
                              std::string_view passwordUtf8 = "") {
    RasDialParams params;
    params.SetSize(RasDialParams::kSize);
    params.SetEntryName(text::Cp(entryUtf8));
    params.SetUserName(text::Cp(userUtf8));
    params.SetPassword(text::Cp(passwordUtf8));
    return params;
  }

  std::vector<std::string> ListNames(std::uint32_t& result) {
    RasEntryNames buffer;
    buffer.SetSize(RasEntryNames::kRecordSize);
    std::uint32_t byteCount = RasEntryNames::kSize;
    std::uint32_t entryCount = 0;
    result = service_.EnumEntries(buffer, byteCount, entryCount);
    EXPECT_LE(entryCount, RasEntryNames::kCapacity);
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < entryCount && i < RasEntryNames::kCapacity; ++i)
      names.push_back(buffer.Name(i));
    return names;
  }

  std::uint32_t EntryCountOfListing() {
    RasEntryNames buffer;
    buffer.SetSize(RasEntryNames::kRecordSize);
    std::uint32_t byteCount = RasEntryNames::kSize;
    std::uint32_t entryCount = 12345;
    lastListingResult_ = service_.EnumEntries(buffer, byteCount, entryCount);
    return entryCount;
  }

  testing_support::TempFolder folder_;
  SimulatedRemoteAccess service_{folder_.Path()};
  std::uint32_t lastListingResult_ = 0;
};

// --- the listing ---

TEST_F(SimulatedRemoteAccessTest, ListsEverySectionInFileOrderWithCyrillicNames) {
  WritePhoneBook({"[Укртелеком нічний]", "Phone=0800300", "", "[Alpha]", "Login=a", "[Київстар]",
                  "StepMs=0", "[zeta 2]"});
  std::uint32_t result = 1;
  const std::vector<std::string> names = ListNames(result);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(names, (std::vector<std::string>{text::Cp("Укртелеком нічний"), "Alpha",
                                             text::Cp("Київстар"), "zeta 2"}));
}

TEST_F(SimulatedRemoteAccessTest, AHundredSectionsFitAndOneMoreIsBufferTooSmall) {
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += "[entry" + std::to_string(i) + "]\r\nPhone=1\r\n";
  folder_.Write(SimulatedRemoteAccess::kPhoneBookName, hundred);
  std::uint32_t result = 1;
  const std::vector<std::string> names = ListNames(result);
  EXPECT_EQ(result, 0u);
  ASSERT_EQ(names.size(), 100u);
  EXPECT_EQ(names.front(), "entry0");
  EXPECT_EQ(names.back(), "entry99");

  folder_.Write(SimulatedRemoteAccess::kPhoneBookName, hundred + "[entry100]\r\n");
  EXPECT_EQ(EntryCountOfListing(), 0u);
  EXPECT_EQ(lastListingResult_, platform::kRasBufferTooSmall);
}

TEST_F(SimulatedRemoteAccessTest, ListingFailsWithoutAReadablePhoneBook) {
  // No file at all.
  EXPECT_EQ(EntryCountOfListing(), 0u);
  EXPECT_NE(lastListingResult_, 0u);

  // A name that can't be read as a file.
  std::filesystem::create_directory(folder_.Path() / SimulatedRemoteAccess::kPhoneBookName);
  EXPECT_EQ(EntryCountOfListing(), 0u);
  EXPECT_NE(lastListingResult_, 0u);

  // A folder that doesn't exist.
  SimulatedRemoteAccess nowhere(folder_.Path() / "no such folder");
  RasEntryNames buffer;
  buffer.SetSize(RasEntryNames::kRecordSize);
  std::uint32_t byteCount = RasEntryNames::kSize;
  std::uint32_t entryCount = 7;
  EXPECT_NE(nowhere.EnumEntries(buffer, byteCount, entryCount), 0u);
  EXPECT_EQ(entryCount, 0u);
}

TEST_F(SimulatedRemoteAccessTest, AnEmptyPhoneBookListsNothing) {
  WritePhoneBook({});
  EXPECT_EQ(EntryCountOfListing(), 0u);
  EXPECT_EQ(lastListingResult_, 0u);
}

// --- stored dial parameters ---

TEST_F(SimulatedRemoteAccessTest, GivesTheStoredDialParametersOfAnEntry) {
  WritePhoneBook({"[Home]", "Phone=0-800-300-500", "Login=петро", "Password=таємниця", "[Bare]"});
  RasDialParams params = Params("Home", "typed-login", "typed-password");
  params.SetPhoneNumber("typed-phone");
  bool stored = false;
  ASSERT_EQ(service_.GetEntryDialParams(params, stored), 0u);
  EXPECT_EQ(params.EntryName(), "Home");
  EXPECT_EQ(params.PhoneNumber(), "0-800-300-500");
  EXPECT_EQ(params.UserName(), text::Cp("петро"));
  EXPECT_EQ(params.Password(), text::Cp("таємниця"));

  // An entry without the keys stores nothing.
  RasDialParams bare = Params("Bare", "typed-login", "typed-password");
  bare.SetPhoneNumber("typed-phone");
  ASSERT_EQ(service_.GetEntryDialParams(bare, stored), 0u);
  EXPECT_EQ(bare.EntryName(), "Bare");
  EXPECT_EQ(bare.PhoneNumber(), "");
  EXPECT_EQ(bare.UserName(), "");
  EXPECT_EQ(bare.Password(), "");
}

TEST_F(SimulatedRemoteAccessTest, AnUnknownEntryIs623ForDialParamsAndDial) {
  WritePhoneBook({"[Київстар]", "StepMs=0"});
  RasDialParams params = Params("Укртелеком");
  bool stored = false;
  EXPECT_EQ(service_.GetEntryDialParams(params, stored), platform::kRasCannotFindPhonebookEntry);
  std::uintptr_t handle = 0;
  EXPECT_EQ(service_.Dial(params, &First::Notify, handle), platform::kRasCannotFindPhonebookEntry);
  EXPECT_FALSE(First::WaitFor(1, kQuietSpell));
}

// --- dialling ---

TEST_F(SimulatedRemoteAccessTest, AnAcceptedDialReportsEveryStageUpToConnected) {
  WritePhoneBook({"[Київстар]", "StepMs=0"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Київстар"), &First::Notify, handle), 0u);
  EXPECT_NE(handle, 0u);
  ASSERT_TRUE(First::WaitFor(kConnectedRun.size(), kPatience));
  EXPECT_FALSE(First::WaitFor(kConnectedRun.size() + 1, kQuietSpell));
  EXPECT_EQ(First::States(), kConnectedRun);
}

TEST_F(SimulatedRemoteAccessTest, RefuseMakesTheDialReturnTheCodeWithoutReports) {
  WritePhoneBook({"[Busy]", "Refuse=676", "StepMs=0"});
  std::uintptr_t handle = 0;
  EXPECT_EQ(service_.Dial(Params("Busy"), &First::Notify, handle), 676u);
  EXPECT_FALSE(First::WaitFor(1, kQuietSpell));
}

TEST_F(SimulatedRemoteAccessTest, FailReportsTheStagesUpToAuthenticateThenTheError) {
  // The drop timer belongs to a connection; a failed dial never gets one.
  WritePhoneBook({"[Dead line]", "Fail=678", "StepMs=0", "DropAfterMs=20"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Dead line"), &First::Notify, handle), 0u);
  EXPECT_NE(handle, 0u);
  ASSERT_TRUE(First::WaitFor(7, kPatience));
  EXPECT_FALSE(First::WaitFor(8, kQuietSpell));
  EXPECT_EQ(First::States(), (Sequence{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {5, 678}}));
}

TEST_F(SimulatedRemoteAccessTest, AcceptedCredentialsConnectAndOthersFailWith691) {
  WritePhoneBook({"[Checked]", "AcceptLogin=петро", "AcceptPassword=таємниця", "StepMs=0",
                  "DropAfterMs=20", "[Login only]", "AcceptLogin=петро", "StepMs=0"});
  const Sequence refused = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {5, 691}};
  struct Case {
    const char* entry;
    const char* login;
    const char* password;
    const Sequence& expected;
  };
  const Case cases[] = {
      {"Checked", "іван", "таємниця", refused},
      {"Checked", "петро", "пароль", refused},
      {"Checked", "петро", "", refused},
      {"Checked", "петро", "таємниця", kConnectedRun},
      {"Login only", "петро", "anything", kConnectedRun},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " / " + c.login + " / " + c.password);
    First::Reset();
    std::uintptr_t handle = 0;
    ASSERT_EQ(service_.Dial(Params(c.entry, c.login, c.password), &First::Notify, handle), 0u);
    ASSERT_TRUE(First::WaitFor(c.expected.size(), kPatience));
    // Nothing after a refusal; a connection's drop comes only after 20 ms.
    if (&c.expected == &refused) {
      EXPECT_FALSE(First::WaitFor(c.expected.size() + 1, 200ms));
    }
    service_.HangUp(handle);
    const Sequence states = First::States();
    ASSERT_GE(states.size(), c.expected.size());
    EXPECT_EQ(Sequence(states.begin(), states.begin() + c.expected.size()), c.expected);
  }
}

TEST_F(SimulatedRemoteAccessTest, StepMsPacesTheReports) {
  WritePhoneBook({"[Paced]", "StepMs=60"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Paced"), &First::Notify, handle), 0u);
  ASSERT_TRUE(First::WaitFor(kConnectedRun.size(), kPatience));
  const std::vector<Report> reports = First::Reports();
  for (std::size_t i = 1; i < reports.size(); ++i)
    EXPECT_GE(MillisecondsBetween(reports[i - 1], reports[i]), 55) << "before report " << i;
}

TEST_F(SimulatedRemoteAccessTest, WithoutStepMsTheStagesAre300MsApart) {
  WritePhoneBook({"[Default pace]"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Default pace"), &First::Notify, handle), 0u);
  ASSERT_TRUE(First::WaitFor(2, kPatience));
  const std::vector<Report> reports = First::Reports();
  EXPECT_GE(MillisecondsBetween(reports[0], reports[1]), 280);
  service_.HangUp(handle);
}

TEST_F(SimulatedRemoteAccessTest, DropAfterMsReportsDisconnectedAfterConnected) {
  WritePhoneBook({"[Flaky]", "StepMs=0", "DropAfterMs=150"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Flaky"), &First::Notify, handle), 0u);
  ASSERT_TRUE(First::WaitFor(kConnectedRun.size() + 1, kPatience));
  EXPECT_FALSE(First::WaitFor(kConnectedRun.size() + 2, kQuietSpell));
  Sequence expected = kConnectedRun;
  expected.emplace_back(kDisconnected, 0);
  EXPECT_EQ(First::States(), expected);
  const std::vector<Report> reports = First::Reports();
  EXPECT_GE(MillisecondsBetween(reports[7], reports[8]), 140);
}

TEST_F(SimulatedRemoteAccessTest, BurstFollowsTheFirstReportAtOnceGoingRoundTheEarlyStages) {
  WritePhoneBook({"[Burst]", "Burst=12", "StepMs=250"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Burst"), &First::Notify, handle), 0u);
  ASSERT_TRUE(First::WaitFor(14, kPatience));
  service_.HangUp(handle);
  const Sequence expected = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 0}, {1, 0},
                             {2, 0}, {3, 0}, {4, 0}, {0, 0}, {1, 0}, {2, 0}, {1, 0}};
  const Sequence states = First::States();
  ASSERT_GE(states.size(), expected.size());
  EXPECT_EQ(Sequence(states.begin(), states.begin() + 14), expected);
  // The burst comes without the step's pauses; the stage after it keeps its pause.
  const std::vector<Report> reports = First::Reports();
  EXPECT_LT(MillisecondsBetween(reports[0], reports[12]), 200);
  EXPECT_GE(MillisecondsBetween(reports[12], reports[13]), 240);
}

// --- hanging up ---

TEST_F(SimulatedRemoteAccessTest, AHangUpStopsTheReportsOfARunningDial) {
  WritePhoneBook({"[Slow]", "StepMs=150"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Slow"), &First::Notify, handle), 0u);
  ASSERT_TRUE(First::WaitFor(1, kPatience));
  EXPECT_EQ(service_.HangUp(handle), 0u);
  // No report may be on its way once the hang-up has returned.
  const std::size_t reportedBeforeHangUp = First::Count();
  ASSERT_LT(reportedBeforeHangUp, kConnectedRun.size());
  EXPECT_FALSE(First::WaitFor(reportedBeforeHangUp + 1, 5 * 150ms));
  EXPECT_EQ(First::States().front(), StateAndError(0, 0));
}

TEST_F(SimulatedRemoteAccessTest, AHangUpAfterConnectingCancelsTheDrop) {
  WritePhoneBook({"[Flaky]", "StepMs=0", "DropAfterMs=300"});
  std::uintptr_t handle = 0;
  ASSERT_EQ(service_.Dial(Params("Flaky"), &First::Notify, handle), 0u);
  ASSERT_TRUE(First::WaitFor(kConnectedRun.size(), kPatience));
  service_.HangUp(handle);
  EXPECT_FALSE(First::WaitFor(kConnectedRun.size() + 1, 900ms));
  EXPECT_EQ(First::States(), kConnectedRun);
}

TEST_F(SimulatedRemoteAccessTest, DialsHaveDistinctHandlesAndHangUpOneAtATime) {
  WritePhoneBook({"[Slow]", "StepMs=100"});
  std::uintptr_t first = 0;
  std::uintptr_t second = 0;
  ASSERT_EQ(service_.Dial(Params("Slow"), &First::Notify, first), 0u);
  ASSERT_EQ(service_.Dial(Params("Slow"), &Second::Notify, second), 0u);
  EXPECT_NE(first, 0u);
  EXPECT_NE(second, 0u);
  EXPECT_NE(first, second);

  ASSERT_TRUE(First::WaitFor(1, kPatience));
  service_.HangUp(first);
  const std::size_t firstReports = First::Count();
  ASSERT_TRUE(Second::WaitFor(kConnectedRun.size(), kPatience));
  EXPECT_EQ(Second::States(), kConnectedRun);
  EXPECT_EQ(First::Count(), firstReports);
  ASSERT_LT(firstReports, kConnectedRun.size());
}

// --- error texts ---

bool HasCyrillicLetter(const char* text) {
  for (const char* p = text; *p != '\0'; ++p)
    if (static_cast<unsigned char>(*p) >= 0xC0) return true;
  return false;
}

TEST_F(SimulatedRemoteAccessTest, ItsErrorCodesHaveUkrainianTextsThatFitTheBuffer) {
  std::vector<std::string> texts;
  for (std::uint32_t code : {platform::kRasBufferTooSmall, platform::kRasCannotFindPhonebookEntry,
                             platform::kRasAuthenticationFailure}) {
    SCOPED_TRACE(code);
    char buffer[101];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(service_.GetErrorString(code, buffer, 100), 0u);
    ASSERT_NE(std::memchr(buffer, '\0', 100), nullptr);
    EXPECT_EQ(buffer[100], 'X');
    EXPECT_GT(std::strlen(buffer), 0u);
    EXPECT_TRUE(HasCyrillicLetter(buffer)) << buffer;
    texts.emplace_back(buffer);
  }
  EXPECT_NE(texts[0], texts[1]);
  EXPECT_NE(texts[1], texts[2]);
  EXPECT_NE(texts[0], texts[2]);
}

TEST_F(SimulatedRemoteAccessTest, AnErrorTextIsCutToTheBufferSizeGiven) {
  char full[101] = {};
  ASSERT_EQ(service_.GetErrorString(platform::kRasAuthenticationFailure, full, 100), 0u);
  const std::string whole(full);
  ASSERT_GT(whole.size(), 12u);

  char buffer[40];
  std::memset(buffer, 'X', sizeof buffer);
  service_.GetErrorString(platform::kRasAuthenticationFailure, buffer, 12);
  EXPECT_EQ(std::string(buffer), whole.substr(0, 11));
  for (std::size_t i = 12; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 'X') << "byte " << i;

  std::memset(buffer, 'X', sizeof buffer);
  service_.GetErrorString(platform::kRasAuthenticationFailure, buffer, 1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'X');
}

}  // namespace
