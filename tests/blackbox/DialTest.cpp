// Dialling the entries of the remote-access service and hanging up, as seen from outside: the
// entry list, the status line, the message box of a refused dial, the window, the lines that
// connects.log gets, and what the service was asked, from the trace of the stand-in service
// that the tests run against (tools/rasapi32).

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kName = L"Оксана";
const std::wstring kPass = L"ключ-5";
const std::wstring kPhone = L"0445550";
const std::wstring kLogin = L"оксана_в";
const std::wstring kPassword = L"таємниця";

// The phone book, in file order. The first entry keeps credentials of its own that it
// doesn't accept: only those in the window's fields get through.
const std::wstring kHome = L"Домашній інтернет";
const std::wstring kSpare = L"Резервний вузол";
const std::wstring kSilent = L"Мовчазний вузол";
const std::wstring kSparePassword = L"інший-пароль";

// The status line.
const std::wstring kLoggedIn = L"Змінено користувача на \"" + kName + L"\".";
const std::vector<std::wstring> kProgress = {
    L"Відкриваю порт.",
    L"Порт відкрито.",
    L"Приєднується пристрій зв`язку.",
    L"Пристрій зв`язку приєднався.",
    L"Усі пристрої приєднано.",
    L"Починається розпізнавання користувача в мережі.",
};
const std::wstring kAuthenticated = L"Користувач розпізнаний.";
const std::wstring kConnected = L"Ви ввійшли в мережу.";
const std::wstring kDisconnected = L"Роз`єднано.";
const std::wstring kChooseNameFirst = L"Виберіть своє ім`я і введіть пароль.";
const std::wstring kLineDropped = L"Зв`язок обірвано.";

const std::wstring kErrorCaption = L"На жаль, помилка.";
const std::wstring kConnectAction = L"з`єднався";
const std::wstring kDisconnectAction = L"розз`єднався";

// Error codes of the service.
constexpr DWORD kLineBusy = 676;
constexpr DWORD kNoAnswer = 678;
constexpr DWORD kRemoteDisconnection = 629;
constexpr DWORD kAuthenticationFailure = 691;

// The dial states that the service reports, as the trace gives them.
const std::vector<DWORD> kStagesToAuthentication = {0, 1, 2, 3, 4, 5};
constexpr DWORD kAuthenticatedState = 14;
constexpr DWORD kConnectedState = 0x2000;

constexpr Place kConnectionList{L"ListBox", 14, 34};
constexpr Place kDisconnectButton{L"Button", 12, 240};
constexpr wchar_t kLogFile[] = L"connects.log";
constexpr wchar_t kPhoneBookFile[] = L"phonebook.ini";
constexpr wchar_t kTraceFile[] = L"ras-trace.txt";

// The main menu down to "Вихід": Статистика, Користувачі, Настройки, Довідка, (a line), Новий
// користувач, Вимкнення комп'ютера, (a line), the item.
const std::vector<UINT> kExitItem(7, VK_DOWN);
// The main menu down to "Новий користувач".
const std::vector<UINT> kNewUserItem(5, VK_DOWN);

// One phone-book section; `keys` are lines "Key=value" of its own.
std::wstring Section(const std::wstring& name, const std::vector<std::wstring>& keys) {
  std::wstring text = L"[" + name + L"]\r\n";
  for (const std::wstring& key : keys) text += key + L"\r\n";
  return text + L"\r\n";
}

std::wstring StandardPhoneBook(int homeStepMs) {
  return Section(kHome,
                 {L"Phone=111", L"Login=чужий", L"Password=чужий-пароль", L"AcceptLogin=" + kLogin,
                  L"AcceptPassword=" + kPassword, L"StepMs=" + std::to_wstring(homeStepMs)}) +
         Section(kSpare, {L"AcceptPassword=" + kSparePassword, L"StepMs=60"}) +
         Section(kSilent, {L"Refuse=" + std::to_wstring(kNoAnswer)});
}

// The service's own text for an error, asked of the same service that the program dials: the
// program must show what the service says, whatever that is.
std::wstring ServiceText(DWORD error) {
  using GetErrorString = DWORD(WINAPI*)(UINT, LPWSTR, DWORD);
  static const HMODULE service =
      ::LoadLibraryExW(L"rasapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  const auto getErrorString = service == nullptr
                                  ? nullptr
                                  : reinterpret_cast<GetErrorString>(reinterpret_cast<void (*)()>(
                                        ::GetProcAddress(service, "RasGetErrorStringW")));
  std::wstring text(4096, L'\0');
  const DWORD result = getErrorString == nullptr
                           ? ERROR_PROC_NOT_FOUND
                           : getErrorString(error, text.data(), static_cast<DWORD>(text.size()));
  text.resize(result == 0 ? std::wcslen(text.c_str()) : 0);
  EXPECT_FALSE(text.empty()) << "the remote-access service has no text for error " << error
                             << " (result " << result << "): is the stand-in in the prefix?";
  return text;
}

// Whether `seen` lists texts of `order` only, each once at most and in that order.
::testing::AssertionResult InOrder(const std::vector<std::wstring>& seen,
                                   const std::vector<std::wstring>& order) {
  auto next = order.begin();
  for (const std::wstring& text : seen) {
    next = std::find(next, order.end(), text);
    if (next == order.end()) {
      std::string all;
      for (const std::wstring& each : seen) all += "\n  \"" + Utf8(each) + "\"";
      return ::testing::AssertionFailure()
             << "\"" << Utf8(text) << "\" is out of order or not a text of this dial; the "
             << "status line showed, in turn:" << all;
    }
    ++next;
  }
  return ::testing::AssertionSuccess();
}

std::vector<std::wstring> Concat(std::vector<std::wstring> first,
                                 const std::vector<std::wstring>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// --- the service's trace, in UTF-8 ---

// The number after "handle=" in a trace line; empty when there is none.
std::string HandleIn(const std::string& line) {
  const std::size_t at = line.find("handle=");
  if (at == std::string::npos) return {};
  const std::size_t start = at + 7;
  return line.substr(start, line.find(' ', start) - start);
}

std::string DialLine(const std::wstring& entry, const std::wstring& password, DWORD result,
                     const std::string& handle) {
  return Utf8(L"dial entry=" + entry + L" user=" + kLogin + L" password=" + password + L" phone=" +
              kPhone) +
         " result=" + std::to_string(result) + " handle=" + handle;
}

std::string ReportLine(const std::string& handle, DWORD state, DWORD error = 0) {
  return "report handle=" + handle + " state=" + std::to_string(state) +
         " error=" + std::to_string(error);
}

// The reports of a dial that connects.
std::vector<std::string> ConnectingReports(const std::string& handle) {
  std::vector<std::string> lines;
  for (DWORD state : kStagesToAuthentication) lines.push_back(ReportLine(handle, state));
  lines.push_back(ReportLine(handle, kAuthenticatedState));
  lines.push_back(ReportLine(handle, kConnectedState));
  return lines;
}

// The reports of a dial that fails at authentication with `error`.
std::vector<std::string> FailingReports(const std::string& handle, DWORD error) {
  std::vector<std::string> lines;
  for (DWORD state : kStagesToAuthentication) lines.push_back(ReportLine(handle, state));
  lines.push_back(ReportLine(handle, kStagesToAuthentication.back(), error));
  return lines;
}

std::string HangUpLine(const std::string& handle) {
  return "hangup handle=" + handle + " result=0";
}

std::string ReleasedLine(const std::string& handle) {
  return "released handle=" + handle;
}

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The lines one to a row, for a comparison that shows both sides whole when it fails.
std::string Rows(const std::vector<std::string>& lines) {
  std::string rows;
  for (const std::string& line : lines) rows += line + "\n";
  return rows;
}

class DialTest : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers({{ToCp1251(kName), ToCp1251(kPass), ToCp1251(kPhone), ToCp1251(kLogin),
                 ToCp1251(kPassword)}});
    WritePhoneBook(StandardPhoneBook(60));
  }

  void WritePhoneBook(const std::wstring& text) { folder_.Write(kPhoneBookFile, ToCp1251(text)); }

  // Settings that leave the window in sight after a dial.
  void KeepWindowOnConnect() { WriteSettings(false, false); }

  // Starts the program against the stand-in service with the test's phone book and trace.
  void Start() {
    StartProgram({{L"BRUMELKA_RAS_PHONEBOOK", (folder_.Path() / kPhoneBookFile).wstring()},
                  {L"BRUMELKA_RAS_TRACE", (folder_.Path() / kTraceFile).wstring()}});
  }

  void LogIn() {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::LogIn(kName, kPass));
    ASSERT_EQ(Utf8(Status()), Utf8(kLoggedIn));
  }

  std::wstring Status() const { return TextOf(Control(kStatusLine)); }

  // Polls the status line until it shows `last` or the time is up; the different texts it
  // showed meanwhile, in turn.
  std::vector<std::wstring> StatusUntil(const std::wstring& last) const {
    std::vector<std::wstring> seen;
    WaitUntil([&] {
      const std::wstring now = Status();
      if (seen.empty() || seen.back() != now) seen.push_back(now);
      return now == last;
    });
    return seen;
  }

  LRESULT ListMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    HWND list = RequireControl(kConnectionList);
    DWORD_PTR result = static_cast<DWORD_PTR>(LB_ERR);
    if (list == nullptr ||
        !::SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
      ADD_FAILURE() << "the entry list didn't answer message " << message;
    return static_cast<LRESULT>(result);
  }

  std::vector<std::wstring> Entries() const {
    std::vector<std::wstring> names;
    const LRESULT count = ListMessage(LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = ListMessage(LB_GETTEXTLEN, static_cast<WPARAM>(i));
      if (length < 0) break;
      std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
      const LRESULT copied =
          ListMessage(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name.data()));
      name.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
      names.push_back(name);
    }
    return names;
  }

  // Selects an entry as a click in the list would leave it.
  void SelectEntry(int index) {
    ASSERT_EQ(ListMessage(LB_SETCURSEL, static_cast<WPARAM>(index)), index);
    HWND list = RequireControl(kConnectionList);
    ::SendMessageTimeoutW(window_, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(list), SMTO_ABORTIFHUNG, 5000, nullptr);
  }

  // Clicks Connect and waits until the status line says the line is up.
  void ConnectAndWait() {
    HWND connect = RequireControl(kConnectButton);
    ASSERT_NE(connect, nullptr);
    ASSERT_TRUE(Click(connect));
    ASSERT_EQ(Utf8(StatusUntil(kConnected).back()), Utf8(kConnected));
  }

  std::optional<std::string> LogBytes() const { return ReadBytes(folder_.Path() / kLogFile); }

  // The log's lines without their CR LF; fails the test when the log doesn't end with one.
  std::vector<std::string> LogLines() const {
    const std::optional<std::string> bytes = LogBytes();
    EXPECT_TRUE(bytes.has_value()) << "no connects.log in the working folder";
    if (!bytes) return {};
    EXPECT_TRUE(bytes->empty() || bytes->ends_with("\r\n"))
        << "the log doesn't end with CR LF: " << Escape(*bytes);
    return Lines(*bytes);
  }

  void ExpectNoLog() const {
    const std::vector<std::wstring> files = folder_.FileNames();
    EXPECT_EQ(std::count(files.begin(), files.end(), kLogFile), 0)
        << "connects.log holds: " << Escape(LogBytes().value_or(""));
  }

  // The log holds one connect line and then one disconnect line of the user, written at
  // moments from `from` to `to`.
  void ExpectConnectAndDisconnectLogged(const SYSTEMTIME& from, const SYSTEMTIME& to) const {
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 2u) << Escape(LogBytes().value_or(""));
    EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, from, to));
    EXPECT_TRUE(IsLogLine(lines[1], kName, kDisconnectAction, from, to));
  }

  std::vector<std::string> Trace() const {
    return Lines(ReadBytes(folder_.Path() / kTraceFile).value_or(""));
  }

  // The handle of the service's `index`-th dial (from 0); fails the test when there is none.
  std::string DialHandle(std::size_t index = 0) const {
    std::vector<std::string> dials;
    for (const std::string& line : Trace())
      if (line.starts_with("dial ")) dials.push_back(HandleIn(line));
    EXPECT_GT(dials.size(), index) << "the service got fewer dials; its trace:\n" << Rows(Trace());
    return dials.size() > index ? dials[index] : std::string("?");
  }

  // Waits until the trace's last line is `line`; tells the whole trace if it doesn't come.
  ::testing::AssertionResult TraceEndsWith(const std::string& line) const {
    if (WaitUntil([&] {
          const std::vector<std::string> lines = Trace();
          return !lines.empty() && lines.back() == line;
        }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the trace doesn't end with \"" << line << "\":\n"
                                         << Rows(Trace());
  }

  // The error box as a refused dial shows it: its caption, no owner, the one text in full,
  // and OK alone, which closes it.
  void ExpectErrorBoxAndCloseIt(HWND box, const std::wstring& text) {
    ASSERT_NE(box, nullptr) << "no message box; status: " << Utf8(Status());
    EXPECT_EQ(Utf8(CaptionOf(box)), Utf8(kErrorCaption));
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr) << "the box has an owner window";
    std::vector<std::wstring> texts;
    std::vector<HWND> buttons;
    for (HWND child : ChildrenOf(box)) {
      if (!::IsWindowVisible(child)) continue;
      const std::wstring kind = ClassOf(child);
      if (_wcsicmp(kind.c_str(), L"Static") == 0 && !TextOf(child).empty())
        texts.push_back(TextOf(child));
      if (_wcsicmp(kind.c_str(), L"Button") == 0) buttons.push_back(child);
    }
    EXPECT_EQ(Utf8(texts.size() == 1 ? texts.front() : L""), Utf8(text))
        << texts.size() << " texts; the box holds:\n"
        << DescribeChildren(box);
    ASSERT_EQ(buttons.size(), 1u) << "the box holds:\n" << DescribeChildren(box);
    EXPECT_EQ(::GetDlgCtrlID(buttons.front()), IDOK);
    ASSERT_TRUE(Click(buttons.front()));
    EXPECT_TRUE(WaitUntil([&] { return Boxes().empty(); })) << "the box is still up";
  }

  void ExpectFieldsEmpty() const {
    for (const Place& field : {kPhoneEdit, kLoginEdit, kPasswordEdit, kPassEdit})
      EXPECT_EQ(Utf8(TextOf(RequireControl(field))), "") << "field at " << field.top;
  }

  void ExpectStillLoggedIn() const { EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - " + kName)); }
};

TEST_F(DialTest, WithNoEntrySelectedTheFirstIsDialledWithTheFieldsAndTheConnectIsLogged) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  // The phone book's entries, in file order, none of them chosen.
  const std::vector<std::wstring> entries = Entries();
  EXPECT_EQ(Utf8(entries.size() == 3 ? entries[0] + L"|" + entries[1] + L"|" + entries[2] : L""),
            Utf8(kHome + L"|" + kSpare + L"|" + kSilent))
      << entries.size() << " entries listed";
  EXPECT_EQ(ListMessage(LB_GETCURSEL), LB_ERR);
  ASSERT_NO_FATAL_FAILURE(LogIn());

  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));

  // The stages in turn, the last one the connection: the first entry's own stored login and
  // password would have been refused.
  const std::vector<std::wstring> seen = StatusUntil(kConnected);
  EXPECT_EQ(Utf8(seen.back()), Utf8(kConnected));
  EXPECT_TRUE(InOrder(seen, Concat(Concat({kLoggedIn}, kProgress), {kAuthenticated, kConnected})));
  const SYSTEMTIME after = Now();
  EXPECT_EQ(ListMessage(LB_GETCURSEL), 0) << "the first entry is not shown chosen";

  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));

  // The settings keep the window in sight, still with the user logged in.
  EXPECT_TRUE(::IsWindowVisible(window_));
  ExpectStillLoggedIn();

  // With the line up a second Connect asks the service nothing.
  ASSERT_TRUE(Click(connect));
  EXPECT_EQ(Utf8(Status()), Utf8(kConnected));
  const std::string handle = DialHandle();
  EXPECT_EQ(Rows(Trace()),
            Rows(Join({{DialLine(kHome, kPassword, 0, handle)}, ConnectingReports(handle)})));
}

TEST_F(DialTest, HangUpEndsTheLineLogsTheDisconnectAndLogsTheUserOut) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND disconnect = RequireControl(kDisconnectButton);
  ASSERT_NE(disconnect, nullptr);

  const SYSTEMTIME before = Now();
  ASSERT_NO_FATAL_FAILURE(ConnectAndWait());
  ASSERT_TRUE(Click(disconnect));
  const SYSTEMTIME after = Now();

  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  ExpectFieldsEmpty();
  HWND user = UserButton(kName);
  if (user != nullptr) {
    EXPECT_TRUE(DrawnWith(user, Weight::Normal));
  }
  // The disconnect line still bears the user's name.
  ExpectConnectAndDisconnectLogged(before, after);
  const std::string handle = DialHandle();
  EXPECT_TRUE(TraceEndsWith(ReleasedLine(handle)));
  const std::vector<std::string> dialled = Join({{DialLine(kHome, kPassword, 0, handle)},
                                                 ConnectingReports(handle),
                                                 {HangUpLine(handle), ReleasedLine(handle)}});
  EXPECT_EQ(Rows(Trace()), Rows(dialled));

  // Logged out: a second hang-up does nothing at all, and a dial asks for a user first.
  ASSERT_TRUE(Click(disconnect));
  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  EXPECT_EQ(Utf8(Status()), Utf8(kChooseNameFirst));

  // A hang-up with no line logs the user out and tells so, without a word to the service or
  // the log.
  ASSERT_NO_FATAL_FAILURE(LogIn());
  ASSERT_TRUE(Click(disconnect));
  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  EXPECT_EQ(LogLines().size(), 2u) << Escape(LogBytes().value_or(""));
  EXPECT_EQ(Rows(Trace()), Rows(dialled));
}

TEST_F(DialTest, HangUpDuringTheDialStopsItsReportsAndLogsNothing) {
  // One second between the stages: the dial is still going on when the hang-up comes.
  constexpr int kStepMs = 1000;
  WritePhoneBook(StandardPhoneBook(kStepMs));
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND connect = RequireControl(kConnectButton);
  HWND disconnect = RequireControl(kDisconnectButton);
  ASSERT_NE(connect, nullptr);
  ASSERT_NE(disconnect, nullptr);

  ASSERT_TRUE(Click(connect));
  ASSERT_TRUE(WaitUntil([&] {
    return std::find(kProgress.begin(), kProgress.end(), Status()) != kProgress.end();
  })) << "the dial shows no progress; status: "
      << Utf8(Status());
  ASSERT_TRUE(Click(disconnect));
  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));

  // The hung-up connection reports no more stages: the status line keeps its text for more
  // than two of the dial's steps.
  std::wstring later;
  EXPECT_FALSE(WaitUntil(
      [&] {
        later = Status();
        return later != kDisconnected;
      },
      std::chrono::milliseconds(kStepMs * 5 / 2)))
      << "after the hang-up the status line went on to \"" << Utf8(later) << "\"";
  // The line never came up: neither a connect nor a disconnect line.
  ExpectNoLog();
  const std::string handle = DialHandle();
  const std::vector<std::string> trace = Trace();
  const auto hangUp = std::find(trace.begin(), trace.end(), HangUpLine(handle));
  ASSERT_NE(hangUp, trace.end()) << "the service got no hang-up:\n" << Rows(trace);
  EXPECT_EQ(Rows({hangUp, trace.end()}), Rows({HangUpLine(handle), ReleasedLine(handle)}));
}

TEST_F(DialTest, RefusedDialIsHungUpAtOnceAndItsWholeTextShownInAnUnownedBox) {
  // The service's text for this refusal is a long one, which a short buffer would cut.
  const std::wstring noAnswer = ServiceText(kNoAnswer);
  ASSERT_GT(ToCp1251(noAnswer).size(), 100u) << Utf8(noAnswer);
  // The default settings, which hide the window after an accepted dial.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  ASSERT_NO_FATAL_FAILURE(SelectEntry(2));
  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  // The click's handler doesn't return while the box is up.
  ASSERT_TRUE(PostClick(connect));

  HWND box = WaitForBox();
  // The refused connection still held the port: it was hung up before the box came.
  const std::string handle = DialHandle();
  std::vector<std::string> trace = Trace();
  std::erase(trace, ReleasedLine(handle));
  EXPECT_EQ(Rows(trace),
            Rows({DialLine(kSilent, kPassword, kNoAnswer, handle), HangUpLine(handle)}));
  ASSERT_NO_FATAL_FAILURE(ExpectErrorBoxAndCloseIt(box, noAnswer));

  // Nothing else came of the dial: no log, no status text, the window in sight, the user still
  // logged in, the entry still chosen.
  ExpectNoLog();
  EXPECT_EQ(Utf8(Status()), Utf8(kLoggedIn));
  EXPECT_TRUE(::IsWindowVisible(window_));
  ExpectStillLoggedIn();
  EXPECT_EQ(ListMessage(LB_GETCURSEL), 2);
}

TEST_F(DialTest, AfterARefusalTheNextConnectWaitsForThePortAndConnects) {
  // The refused connection holds the port for three seconds after its hang-up: the second
  // Connect comes while the service would still refuse a dial as the port is taken.
  WritePhoneBook(Section(
      kHome, {L"RefuseOnce=" + std::to_wstring(kLineBusy), L"ReleaseMs=3000", L"StepMs=60"}));
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  ASSERT_TRUE(PostClick(connect));
  ASSERT_NO_FATAL_FAILURE(ExpectErrorBoxAndCloseIt(WaitForBox(), ServiceText(kLineBusy)));

  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));
  EXPECT_EQ(Utf8(StatusUntil(kConnected).back()), Utf8(kConnected));
  const SYSTEMTIME after = Now();
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));

  // The second dial went out once the service had let the first connection go.
  const std::string first = DialHandle(0);
  const std::string second = DialHandle(1);
  EXPECT_EQ(Rows(Trace()),
            Rows(Join({{DialLine(kHome, kPassword, kLineBusy, first), HangUpLine(first),
                        ReleasedLine(first), DialLine(kHome, kPassword, 0, second)},
                       ConnectingReports(second)})));
}

TEST_F(DialTest, DialFailingAtAuthenticationIsHungUpEndsOnTheServiceTextAndLogsNothing) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  // The spare entry wants a connection password other than the user's.
  ASSERT_NO_FATAL_FAILURE(SelectEntry(1));
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));

  const std::wstring accessDenied = ServiceText(kAuthenticationFailure);
  const std::vector<std::wstring> seen = StatusUntil(accessDenied);
  EXPECT_EQ(Utf8(seen.back()), Utf8(accessDenied));
  EXPECT_TRUE(InOrder(seen, Concat(Concat({kLoggedIn}, kProgress), {accessDenied})));
  EXPECT_TRUE(Boxes().empty()) << "a failure reported during the dial shows a message box";

  const std::string handle = DialHandle();
  EXPECT_TRUE(TraceEndsWith(ReleasedLine(handle)));
  EXPECT_EQ(Rows(Trace()), Rows(Join({{DialLine(kSpare, kPassword, 0, handle)},
                                      FailingReports(handle, kAuthenticationFailure),
                                      {HangUpLine(handle), ReleasedLine(handle)}})));
  ExpectNoLog();
  ExpectStillLoggedIn();
}

TEST_F(DialTest, AFailedDialBringsTheWindowBackFromTheTrayAndTheNextDialConnects) {
  // The first dial fails at authentication; the pauses keep the window hidden long enough to be
  // seen so.
  WritePhoneBook(
      Section(kHome, {L"FailOnce=" + std::to_wstring(kAuthenticationFailure), L"StepMs=300"}));
  // The default settings, which send the window to the tray after an accepted dial.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  ASSERT_TRUE(Click(connect));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window_); }))
      << "the main window is still in sight after the dial";

  const std::wstring accessDenied = ServiceText(kAuthenticationFailure);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window_) != FALSE; }))
      << "the window stays in the tray after the failure; status: " << Utf8(Status());
  EXPECT_EQ(Utf8(StatusUntil(accessDenied).back()), Utf8(accessDenied));
  EXPECT_TRUE(Boxes().empty());
  ExpectStillLoggedIn();
  ExpectNoLog();

  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window_); }))
      << "the main window is still in sight after the second dial";
  EXPECT_EQ(Utf8(StatusUntil(kConnected).back()), Utf8(kConnected));
  const SYSTEMTIME after = Now();
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));

  const std::string first = DialHandle(0);
  const std::string second = DialHandle(1);
  EXPECT_EQ(
      Rows(Trace()),
      Rows(Join({{DialLine(kHome, kPassword, 0, first)},
                 FailingReports(first, kAuthenticationFailure),
                 {HangUpLine(first), ReleasedLine(first), DialLine(kHome, kPassword, 0, second)},
                 ConnectingReports(second)})));
}

TEST_F(DialTest, TheDialSendsThePasswordAsTheFieldHoldsItAtTheClick) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  // The user types the password that the spare entry wants over the one from his record.
  HWND password = RequireControl(kPasswordEdit);
  ASSERT_NE(password, nullptr);
  ::SendMessageTimeoutW(password, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, nullptr);
  TypeChars(password, kSparePassword);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(password) == kSparePassword; }))
      << "the password field holds \"" << Utf8(TextOf(password)) << "\"";

  ASSERT_NO_FATAL_FAILURE(SelectEntry(1));
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  const std::vector<std::wstring> seen = StatusUntil(kConnected);
  EXPECT_EQ(Utf8(seen.back()), Utf8(kConnected));
  EXPECT_TRUE(InOrder(seen, Concat(Concat({kLoggedIn}, kProgress), {kAuthenticated, kConnected})));
  const std::vector<std::string> trace = Trace();
  EXPECT_EQ(trace.empty() ? "" : trace.front(), DialLine(kSpare, kSparePassword, 0, DialHandle()));
}

TEST_F(DialTest, AnAcceptedDialHidesTheWindowUnderTheDefaultSettings) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));

  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window_); }))
      << "the main window is still in sight after the dial";
  // The hidden window's status line goes on with the dial.
  EXPECT_EQ(Utf8(StatusUntil(kConnected).back()), Utf8(kConnected));
  const SYSTEMTIME after = Now();
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));
}

TEST_F(DialTest, ADroppedLineIsHungUpLoggedOnceAndToldWithTheWindowBack) {
  WritePhoneBook(Section(kHome, {L"DropAfterMs=1500", L"StepMs=60"}));
  // The default settings: the window goes to the tray once the dial is accepted.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  const SYSTEMTIME before = Now();
  ASSERT_NO_FATAL_FAILURE(ConnectAndWait());
  EXPECT_FALSE(::IsWindowVisible(window_));

  const std::wstring dropped = kLineDropped + L" " + ServiceText(kRemoteDisconnection);
  EXPECT_EQ(Utf8(StatusUntil(dropped).back()), Utf8(dropped));
  const SYSTEMTIME after = Now();
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window_) != FALSE; }))
      << "the window stays in the tray after the drop";
  ExpectStillLoggedIn();
  ExpectConnectAndDisconnectLogged(before, after);
  const std::string handle = DialHandle();
  EXPECT_TRUE(TraceEndsWith(ReleasedLine(handle)));
  const std::vector<std::string> dialled =
      Join({{DialLine(kHome, kPassword, 0, handle)},
            ConnectingReports(handle),
            {"drop handle=" + handle + " error=" + std::to_string(kRemoteDisconnection),
             HangUpLine(handle), ReleasedLine(handle)}});
  EXPECT_EQ(Rows(Trace()), Rows(dialled));

  // The connection is over: a hang-up now only logs the user out.
  ASSERT_TRUE(Click(RequireControl(kDisconnectButton)));
  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));
  EXPECT_EQ(LogLines().size(), 2u) << Escape(LogBytes().value_or(""));
  EXPECT_EQ(Rows(Trace()), Rows(dialled));
}

class ExitTest : public DialTest {
 protected:
  // Connects, lets `beforeExit` act, and chooses Exit from the main menu: the connection is hung
  // up, and the program ends only once the service has let it go, which takes two seconds.
  void ExitWhileConnected(const std::function<void()>& beforeExit) {
    constexpr auto kRelease = std::chrono::milliseconds(2000);
    WritePhoneBook(
        Section(kHome, {L"ReleaseMs=" + std::to_wstring(kRelease.count()), L"StepMs=60"}));
    ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(LogIn());
    ASSERT_NO_FATAL_FAILURE(ConnectAndWait());
    beforeExit();

    const auto start = std::chrono::steady_clock::now();
    ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(kExitItem));
    // Waiting for the service, the window still answers.
    DWORD_PTR ignored = 0;
    EXPECT_NE(::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored), 0)
        << "the window doesn't answer after Exit";
    const std::optional<DWORD> exitCode = program_->WaitForExit();
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(exitCode.has_value()) << "the program still runs after Exit";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_GE(took, kRelease) << "the program ended "
                              << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
                              << " ms after Exit";

    const std::string handle = DialHandle();
    EXPECT_EQ(Rows(Trace()),
              Rows(Join({{DialLine(kHome, kPassword, 0, handle)},
                         ConnectingReports(handle),
                         {HangUpLine(handle), ReleasedLine(handle), "exit unreleased=0"}})));
  }
};

TEST_F(ExitTest, ExitHangsUpLogsTheDisconnectAndEndsOnceTheServiceLetsTheLineGo) {
  const SYSTEMTIME before = Now();
  ASSERT_NO_FATAL_FAILURE(ExitWhileConnected([] {}));
  ExpectConnectAndDisconnectLogged(before, Now());
}

TEST_F(ExitTest, ExitHangsUpTheLineWithNobodyLoggedIn) {
  const SYSTEMTIME before = Now();
  ASSERT_NO_FATAL_FAILURE(ExitWhileConnected([this] {
    ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(kNewUserItem));
    ASSERT_TRUE(WaitUntil([&] { return Caption() == kTitle; })) << Utf8(Caption());
  }));
  // The line that came up under the user ends under his name.
  ExpectConnectAndDisconnectLogged(before, Now());
}

TEST_F(DialTest, AllOfMoreThanAHundredEntriesAreListedInOrder) {
  std::vector<std::wstring> names;
  std::wstring book;
  for (int i = 1; i <= 150; ++i) {
    wchar_t name[32] = {};
    std::swprintf(name, 32, L"Вузол №%03d", i);
    names.push_back(name);
    book += Section(name, {});
  }
  WritePhoneBook(book);
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::vector<std::wstring> entries = Entries();
  ASSERT_EQ(entries.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(Utf8(entries[i]), Utf8(names[i])) << "entry " << i;
}

}  // namespace
}  // namespace blackbox
