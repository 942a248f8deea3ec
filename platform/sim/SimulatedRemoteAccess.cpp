#include "platform/sim/SimulatedRemoteAccess.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <thread>

#include "platform/text/Cp1251.h"

namespace platform {
namespace {

// The message number the service's notifier of type 0 receives (WM_RASDIALEVENT).
constexpr std::uint32_t kRasDialEvent = 0xCCCD;
constexpr std::uint32_t kStateAuthenticate = 5;
constexpr std::uint32_t kStateDisconnected = 0x2001;
constexpr std::uint32_t kDefaultStepMs = 300;
// A burst goes round the stages before authentication: opening the port up to all devices
// connected.
constexpr std::uint32_t kBurstStates = kStateAuthenticate;

std::string Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r\n");
  return std::string(s.substr(first, last - first + 1));
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::optional<std::string> ReadWholeFile(const NativePath& path) {
  std::FILE* file = OpenNativeFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return bytes;
}

const char* KnownErrorText(std::uint32_t error) {
  switch (error) {
    case 6:
      return "Неправильний дескриптор з`єднання.";
    case kRasBufferTooSmall:
      return "Забагато записів у телефонній книзі.";
    case SimulatedRemoteAccess::kCannotOpenPhoneBook:
      return "Не вдається відкрити телефонну книгу.";
    case kRasCannotFindPhonebookEntry:
      return "Запис телефонної книги не знайдено.";
    case 676:
      return "Лінія зайнята.";
    case 678:
      return "Віддалений комп'ютер не відповідає.";
    case 680:
      return "Немає гудка.";
    case kRasAuthenticationFailure:
      return "Доступ заборонено: ім`я користувача або пароль неправильні.";
    default:
      return nullptr;
  }
}

}  // namespace

std::optional<std::string> SimulatedRemoteAccess::Entry::Key(const std::string& lowerName) const {
  const auto found = keys.find(lowerName);
  if (found == keys.end()) return std::nullopt;
  return found->second;
}

std::optional<std::uint32_t> SimulatedRemoteAccess::Entry::Number(
    const std::string& lowerName) const {
  const auto value = Key(lowerName);
  if (!value || value->empty()) return std::nullopt;
  std::uint64_t number = 0;
  for (char c : *value) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
    if (number > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(number);
}

// One accepted dial: reports its stages on its own thread until it ends or is hung up.
class SimulatedRemoteAccess::DialRun {
 public:
  struct Report {
    std::uint32_t state;
    std::uint32_t error;
    bool afterPause;  // false for a burst's reports, which follow each other at once
  };
  struct Plan {
    std::vector<Report> reports;
    std::uint32_t stepMs = kDefaultStepMs;
    std::optional<std::uint32_t> dropAfterMs;
  };

  DialRun(Plan plan, Notifier notifier)
      : plan_(std::move(plan)), notifier_(notifier), thread_([this] { Run(); }) {}

  ~DialRun() {
    {
      std::lock_guard lock(mutex_);
      cancelled_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

 private:
  // False once hung up.
  bool Pause(std::uint32_t ms) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return cancelled_; });
  }

  bool Send(std::uint32_t state, std::uint32_t error) {
    // Holding the lock keeps a hang-up from returning while a report is on its way.
    std::lock_guard lock(mutex_);
    if (cancelled_) return false;
    notifier_(kRasDialEvent, state, error);
    return true;
  }

  void Run() {
    for (std::size_t i = 0; i < plan_.reports.size(); ++i) {
      const Report& report = plan_.reports[i];
      if (i > 0 && report.afterPause && !Pause(plan_.stepMs)) return;
      if (!Send(report.state, report.error)) return;
    }
    if (plan_.dropAfterMs && Pause(*plan_.dropAfterMs)) Send(kStateDisconnected, 0);
  }

  Plan plan_;
  Notifier notifier_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool cancelled_ = false;
  std::thread thread_;
};

SimulatedRemoteAccess::SimulatedRemoteAccess(NativePath folder) : folder_(std::move(folder)) {}

SimulatedRemoteAccess::~SimulatedRemoteAccess() {
  std::lock_guard lock(mutex_);
  runs_.clear();
}

std::optional<std::vector<SimulatedRemoteAccess::Entry>> SimulatedRemoteAccess::ReadPhoneBook()
    const {
  const auto bytes = ReadWholeFile(JoinPath(folder_, kPhoneBookName));
  if (!bytes) return std::nullopt;
  std::vector<Entry> entries;
  std::size_t start = 0;
  while (start < bytes->size()) {
    std::size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    const std::string line = Trim(std::string_view(*bytes).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      entries.push_back({Trim(std::string_view(line).substr(1, line.size() - 2)), {}});
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos || entries.empty()) continue;
    const std::string key = Lower(Trim(std::string_view(line).substr(0, equals)));
    entries.back().keys.emplace(key, Trim(std::string_view(line).substr(equals + 1)));
  }
  return entries;
}

std::optional<SimulatedRemoteAccess::Entry> SimulatedRemoteAccess::FindEntry(
    const std::string& name) const {
  const auto entries = ReadPhoneBook();
  if (!entries) return std::nullopt;
  for (const Entry& entry : *entries)
    if (entry.name == name) return entry;
  return std::nullopt;
}

std::uint32_t SimulatedRemoteAccess::EnumEntries(RasEntryNames& buffer, std::uint32_t& byteCount,
                                                 std::uint32_t& entryCount) {
  entryCount = 0;
  const auto entries = ReadPhoneBook();
  if (!entries) return kCannotOpenPhoneBook;
  const std::uint32_t needed =
      static_cast<std::uint32_t>(entries->size() * RasEntryNames::kRecordSize);
  if (needed > byteCount || entries->size() > RasEntryNames::kCapacity) {
    byteCount = needed;
    return kRasBufferTooSmall;
  }
  for (std::size_t i = 0; i < entries->size(); ++i) {
    buffer.PutUint32(i * RasEntryNames::kRecordSize, RasEntryNames::kRecordSize);
    buffer.SetName(i, (*entries)[i].name);
  }
  byteCount = needed;
  entryCount = static_cast<std::uint32_t>(entries->size());
  return 0;
}

std::uint32_t SimulatedRemoteAccess::GetEntryDialParams(RasDialParams& params,
                                                        bool& passwordStored) {
  const auto entry = FindEntry(params.EntryName());
  if (!entry) return kRasCannotFindPhonebookEntry;
  params.SetPhoneNumber(entry->Key("phone").value_or(""));
  params.SetUserName(entry->Key("login").value_or(""));
  params.SetPassword(entry->Key("password").value_or(""));
  params.SetCallbackNumber("");
  params.SetDomain("");
  passwordStored = entry->Key("password").has_value();
  return 0;
}

std::uint32_t SimulatedRemoteAccess::Dial(const RasDialParams& params, Notifier notifier,
                                          std::uintptr_t& handle) {
  const auto entry = FindEntry(params.EntryName());
  if (!entry) return kRasCannotFindPhonebookEntry;
  if (const auto refusal = entry->Number("refuse"); refusal && *refusal != 0) return *refusal;

  DialRun::Plan plan;
  plan.stepMs = entry->Number("stepms").value_or(kDefaultStepMs);
  for (std::uint32_t state = 0; state <= kStateAuthenticate; ++state) {
    plan.reports.push_back({state, 0, true});
    if (state != 0) continue;
    const std::uint32_t burst = entry->Number("burst").value_or(0);
    for (std::uint32_t i = 1; i <= burst; ++i) plan.reports.push_back({i % kBurstStates, 0, false});
  }
  const auto acceptLogin = entry->Key("acceptlogin");
  const auto acceptPassword = entry->Key("acceptpassword");
  const bool credentialsRefused = (acceptLogin && *acceptLogin != params.UserName()) ||
                                  (acceptPassword && *acceptPassword != params.Password());
  if (const auto failure = entry->Number("fail"); failure && *failure != 0) {
    plan.reports.push_back({kStateAuthenticate, *failure, true});
  } else if (credentialsRefused) {
    plan.reports.push_back({kStateAuthenticate, kRasAuthenticationFailure, true});
  } else {
    plan.reports.push_back({14, 0, true});
    plan.reports.push_back({0x2000, 0, true});
    plan.dropAfterMs = entry->Number("dropafterms");
  }

  std::lock_guard lock(mutex_);
  const std::uintptr_t newHandle = nextHandle_++;
  handle = newHandle;
  runs_[newHandle] = std::make_unique<DialRun>(std::move(plan), notifier);
  return 0;
}

std::uint32_t SimulatedRemoteAccess::HangUp(std::uintptr_t handle) {
  std::unique_ptr<DialRun> run;
  {
    std::lock_guard lock(mutex_);
    const auto found = runs_.find(handle);
    if (found == runs_.end()) return kInvalidHandle;
    run = std::move(found->second);
    runs_.erase(found);
  }
  run.reset();  // stops its reports before the hang-up returns
  return 0;
}

std::uint32_t SimulatedRemoteAccess::GetErrorString(std::uint32_t error, char* buffer,
                                                    std::uint32_t size) {
  // Like the stub of a system without the service, codes of no meaning here get no text.
  const char* known = KnownErrorText(error);
  if (known == nullptr || size == 0) return 1;
  const std::string message = text::Cp(known);
  const std::size_t length = std::min<std::size_t>(message.size(), size - 1);
  std::copy_n(message.data(), length, buffer);
  buffer[length] = '\0';
  return 0;
}

}  // namespace platform
