#include "blackbox/Driver.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <thread>

#ifndef BRUMELKA_EXE
#error "BRUMELKA_EXE must name brumelka.exe as the test program sees it"
#endif

namespace blackbox {
namespace {

constexpr UINT kCyrillic = 1251;
// How long one message to the program may take before we count it as hung.
constexpr UINT kSendTimeoutMs = 5000;
constexpr auto kPollInterval = 20ms;

std::wstring Widen(const char* utf8) {
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

std::wstring ExePath() {
  std::wstring path = Widen(BRUMELKA_EXE);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        bool* answered = nullptr) {
  DWORD_PTR result = 0;
  const LRESULT ok = ::SendMessageTimeoutW(window, message, wParam, lParam,
                                           SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs, &result);
  if (answered != nullptr) *answered = ok != 0;
  return ok != 0 ? static_cast<LRESULT>(result) : 0;
}

HWND MainWindowOf(DWORD processId) {
  for (HWND window : TopLevelWindowsOfClass(kMainWindowClass)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

// The key data of a key message: repeat count 1 and the key's scan code; for a release also
// the previous-state and transition bits.
LPARAM KeyData(UINT virtualKey, bool up) {
  const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | static_cast<LPARAM>(scanCode & 0xFF) << 16;
  if (up) data |= static_cast<LPARAM>(3) << 30;
  return data;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    std::this_thread::sleep_for(kPollInterval);
  }
}

// --- files ---

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t name[64];
  std::swprintf(name, 64, L"brumelka-blackbox-%lu-%lu-%u", ::GetCurrentProcessId(),
                ::GetTickCount(), counter++);
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::wstring& name, const std::string& bytes) const {
  ASSERT_TRUE(WriteBytes(path_ / name, bytes)) << "could not write " << path_.string();
}

std::vector<std::wstring> TempFolder::FileNames() const {
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    names.push_back(entry.path().filename().wstring());
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

std::filesystem::path SettingsFile() {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
  return std::filesystem::path(std::wstring(folder, length)) / L"brumelka.ini";
}

std::string UserRecordBytes(const UserFields& user) {
  std::string record(94, '\0');
  const auto put = [&record](std::size_t offset, std::size_t capacity, const std::string& text) {
    const std::size_t length = std::min(capacity, text.size());
    record[offset] = static_cast<char>(length);
    record.replace(offset + 1, length, text, 0, length);
  };
  put(0, 9, user.phone);
  put(10, 20, user.login);
  put(31, 20, user.name);
  put(52, 20, user.password);
  put(73, 20, user.pass);
  return record;
}

std::string UsersFileBytes(const std::vector<UserFields>& users) {
  std::string bytes;
  for (const UserFields& user : users) bytes += UserRecordBytes(user);
  return bytes;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// --- time ---

SYSTEMTIME Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return now;
}

std::wstring PresentMinute() {
  constexpr WORD kLatestSecond = 45;
  SYSTEMTIME now = Now();
  if (now.wSecond > kLatestSecond) {
    WaitUntil([&] {
      now = Now();
      return now.wSecond <= kLatestSecond;
    });
  }
  wchar_t text[8] = {};
  std::swprintf(text, 8, L"%02u:%02u", now.wHour, now.wMinute);
  return text;
}

namespace {

std::uint64_t Ticks(const SYSTEMTIME& time) {
  FILETIME file{};
  ::SystemTimeToFileTime(&time, &file);
  return (static_cast<std::uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

}  // namespace

std::set<std::string> LogStamps(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  constexpr std::uint64_t kSecond = 10'000'000;
  std::set<std::wstring> dates;
  std::set<std::wstring> times;
  for (std::uint64_t ticks = Ticks(from) / kSecond * kSecond; ticks <= Ticks(to);
       ticks += kSecond) {
    const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME moment{};
    ::FileTimeToSystemTime(&file, &moment);
    wchar_t text[128] = {};
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, text, 128) > 0)
      dates.insert(text);
    if (::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &moment, nullptr, text, 128) > 0)
      times.insert(text);
  }
  std::set<std::string> stamps;
  for (const std::wstring& date : dates)
    for (const std::wstring& time : times)
      stamps.insert(ToCp1251(L" " + date + L" о такій годині: " + time));
  return stamps;
}

::testing::AssertionResult IsLogLine(const std::string& line, const std::wstring& name,
                                     const std::wstring& action, const SYSTEMTIME& from,
                                     const SYSTEMTIME& to) {
  const std::string start = ToCp1251(name + L" " + action);
  const std::set<std::string> stamps = LogStamps(from, to);
  if (line.starts_with(start) && stamps.contains(line.substr(start.size())))
    return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure();
  failure << "the log line \"" << Escape(line) << "\" is none of:";
  for (const std::string& stamp : stamps) failure << "\n  \"" << Escape(start + stamp) << "\"";
  return failure;
}

// --- text ---

std::string ToCp1251(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = ::WideCharToMultiByte(kCyrillic, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(kCyrillic, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
  return bytes;
}

std::wstring FromCp1251(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length =
      ::MultiByteToWideChar(kCyrillic, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(kCyrillic, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
  return text;
}

std::string Escape(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length,
                        nullptr, nullptr);
  return out;
}

// --- the program ---

namespace {

// Every program started here runs in this job, which ends them all when the test process
// ends without stopping them (a crash, or a test runner's timeout), so that a copy left
// behind can't stand in the way of the next test. The handle is kept until the process ends.
HANDLE ProgramsJob() {
  static const HANDLE job = [] {
    const HANDLE made = ::CreateJobObjectW(nullptr, nullptr);
    if (made == nullptr) return made;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return made;
  }();
  return job;
}

// The name of an environment entry "NAME=value". Names such as "=C:" begin with an equals
// sign of their own.
std::wstring VariableName(const std::wstring& entry) {
  return entry.substr(0, entry.find(L'=', 1));
}

// A Unicode environment block: the test's variables with `extra` put in or over them, sorted
// by name without regard to case as Windows keeps them, each ended by a zero, and one more
// zero at the end.
std::wstring EnvironmentBlock(const Environment& extra) {
  std::vector<std::wstring> entries;
  if (wchar_t* own = ::GetEnvironmentStringsW()) {
    for (const wchar_t* entry = own; *entry != L'\0'; entry += std::wcslen(entry) + 1)
      entries.emplace_back(entry);
    ::FreeEnvironmentStringsW(own);
  }
  for (const auto& [name, value] : extra) {
    std::erase_if(entries, [&name](const std::wstring& entry) {
      return _wcsicmp(VariableName(entry).c_str(), name.c_str()) == 0;
    });
    entries.push_back(name + L"=" + value);
  }
  std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(VariableName(a).c_str(), VariableName(b).c_str()) < 0;
  });
  std::wstring block;
  for (const std::wstring& entry : entries) {
    block += entry;
    block += L'\0';
  }
  block += L'\0';
  return block;
}

}  // namespace

std::unique_ptr<Program> Program::Start(const std::filesystem::path& folder,
                                        const Environment& extra) {
  const std::wstring exe = ExePath();
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const std::wstring directory = folder.wstring();
  std::wstring environment;
  DWORD flags = CREATE_SUSPENDED;
  if (!extra.empty()) {
    environment = EnvironmentBlock(extra);
    flags |= CREATE_UNICODE_ENVIRONMENT;
  }
  // Wine now and then fails a process start with ERROR_INTERNAL_ERROR before the program has
  // run a single instruction; that says nothing about the program, so such a start is retried.
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                         environment.empty() ? nullptr : environment.data(), directory.c_str(),
                         &startup, &info)) {
      error = ERROR_SUCCESS;
      break;
    }
    error = ::GetLastError();
    if (error != ERROR_INTERNAL_ERROR) break;
  }
  if (error != ERROR_SUCCESS) {
    ADD_FAILURE() << "CreateProcessW failed for " << Utf8(exe) << ": error " << error;
    return nullptr;
  }
  const HANDLE job = ProgramsJob();
  if (job == nullptr || !::AssignProcessToJobObject(job, info.hProcess))
    ADD_FAILURE() << "brumelka.exe could not be put into the job that ends it with the test";
  ::ResumeThread(info.hThread);
  ::CloseHandle(info.hThread);
  return std::unique_ptr<Program>(new Program(info.hProcess, info.dwProcessId));
}

Program::~Program() {
  Stop();
  ::CloseHandle(process_);
}

HWND Program::WaitForMainWindow(std::chrono::milliseconds timeout) const {
  // Shown is not enough: after a slow start-up on a loaded machine, every message then sent
  // with SMTO_ABORTIFHUNG was seen to fail at once (Wine counts a thread that hasn't fetched
  // a message for 5 s as hung). A message answered means the message loop runs.
  HWND found = nullptr;
  const auto ready = [&] {
    found = MainWindowOf(id_);
    if (found == nullptr || !::IsWindowVisible(found)) return false;
    bool answered = false;
    SendWithTimeout(found, WM_NULL, 0, 0, &answered);
    return answered;
  };
  return WaitUntil(ready, timeout) ? found : nullptr;
}

std::optional<DWORD> Program::WaitForExit(std::chrono::milliseconds timeout) const {
  if (::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  if (!::GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

bool Program::Running() const {
  return ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void Program::Stop() {
  if (Running()) {
    if (HWND window = MainWindowOf(id_)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (!WaitForExit(10s)) {
      ::TerminateProcess(process_, 1);
      WaitForExit(10s);
    }
  }
  // Its windows go with the process; the next test must not find them.
  WaitUntil([this] { return MainWindowOf(id_) == nullptr; }, 10s);
}

namespace {

struct ClassSearch {
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ClassSearch*>(data);
  if (search->className == nullptr || _wcsicmp(ClassOf(window).c_str(), search->className) == 0)
    search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOfClass(const wchar_t* className) {
  ClassSearch search{className, {}};
  ::EnumWindows(CollectOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* className) {
  std::vector<HWND> windows;
  for (HWND window : TopLevelWindowsOfClass(className)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId && ::IsWindowVisible(window)) windows.push_back(window);
  }
  return windows;
}

bool NotifyIconShown(HWND owner, UINT id) {
  NOTIFYICONDATAW record{};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = owner;
  record.uID = id;
  record.uFlags = 0;
  return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

namespace {

BOOL CALLBACK CollectTrayIcons(HWND window, LPARAM data) {
  if (_wcsicmp(ClassOf(window).c_str(), L"__winex11_tray_icon") == 0)
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectTrayIconsIn(HWND window, LPARAM data) {
  CollectTrayIcons(window, data);
  ::EnumChildWindows(window, CollectTrayIcons, data);
  return TRUE;
}

}  // namespace

std::vector<HWND> WineTrayIconWindows() {
  // Docked into an X tray an icon's window is a top-level one; in Wine's stand-alone tray
  // window it is a child.
  std::vector<HWND> icons;
  ::EnumWindows(CollectTrayIconsIn, reinterpret_cast<LPARAM>(&icons));
  return icons;
}

HWND NewTrayIcon(const std::vector<HWND>& before) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND icon : WineTrayIconWindows())
      if (std::find(before.begin(), before.end(), icon) == before.end()) found = icon;
    return found != nullptr;
  });
  return found;
}

std::optional<unsigned> AnsiCodePageOf(HANDLE process) {
  using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (query == nullptr) return std::nullopt;
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0)
    return std::nullopt;
  // PEB.AnsiCodePageData points at the code page's table, whose header is the USHORT header
  // size followed by the USHORT code page number.
  constexpr std::size_t kAnsiCodePageData = sizeof(void*) == 8 ? 0xA0 : 0x58;
  void* table = nullptr;
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process,
                           reinterpret_cast<char*>(basic.PebBaseAddress) + kAnsiCodePageData,
                           &table, sizeof table, &read) ||
      table == nullptr)
    return std::nullopt;
  USHORT header[2] = {};
  if (!::ReadProcessMemory(process, table, header, sizeof header, &read)) return std::nullopt;
  return header[1];
}

std::optional<unsigned> ExpectedAnsiCodePage() {
  // scripts/wine-run.sh runs Wine under BRUMELKA_LC_ALL, by default uk_UA.UTF-8.
  wchar_t value[64] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"BRUMELKA_LC_ALL", value, 64);
  if (length == 0) return kCyrillic;
  if (length >= 64) return std::nullopt;
  const std::wstring locale(value, length);
  if (locale.starts_with(L"uk_UA")) return kCyrillic;
  if (locale == L"C" || locale.starts_with(L"C.") || locale.starts_with(L"en_US")) return 1252;
  return std::nullopt;
}

// --- windows and controls ---

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

RECT BoundsInParent(HWND window) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

std::wstring TextOf(HWND window) {
  // The text may change between the two messages, as a status line does during a dial: a
  // copy longer or shorter than the length given first is read again, so that a text cut
  // off by a buffer made for the one before isn't taken for the window's text.
  constexpr int kAttempts = 5;
  constexpr std::size_t kRoomToSpare = 64;
  std::wstring text;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    bool answered = false;
    const LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &answered);
    if (!answered || length <= 0) return {};
    text.assign(static_cast<std::size_t>(length) + kRoomToSpare, L'\0');
    const LRESULT copied = SendWithTimeout(window, WM_GETTEXT, text.size(),
                                           reinterpret_cast<LPARAM>(text.data()), &answered);
    text.resize(answered && copied > 0 ? static_cast<std::size_t>(copied) : 0);
    if (answered && copied == length) break;
  }
  return text;
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[256] = {};
  const int length = ::GetWindowTextW(window, text, 256);
  return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

LONG StyleOf(HWND window) {
  return ::GetWindowLongW(window, GWL_STYLE);
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

HWND ChildAt(HWND parent, const wchar_t* className, int left, int top) {
  for (HWND child : ChildrenOf(parent)) {
    if (_wcsicmp(ClassOf(child).c_str(), className) != 0) continue;
    const RECT bounds = BoundsInParent(child);
    if (bounds.left == left && bounds.top == top) return child;
  }
  return nullptr;
}

std::vector<HWND> ChildrenWithText(HWND parent, const wchar_t* className,
                                   const std::wstring& text) {
  std::vector<HWND> found;
  for (HWND child : ChildrenOf(parent))
    if (_wcsicmp(ClassOf(child).c_str(), className) == 0 && TextOf(child) == text)
      found.push_back(child);
  return found;
}

std::string DescribeChildren(HWND parent) {
  std::string out;
  for (HWND child : ChildrenOf(parent)) {
    const RECT r = BoundsInParent(child);
    char line[128];
    std::snprintf(line, sizeof line, "  %-8s %5ld,%4ld %4ldx%-3ld %s", Utf8(ClassOf(child)).c_str(),
                  r.left, r.top, r.right - r.left, r.bottom - r.top,
                  ::IsWindowVisible(child) ? "" : "(hidden) ");
    out += line;
    out += '"';
    out += Utf8(TextOf(child));
    out += "\"\n";
  }
  return out;
}

namespace {

// Pixels of a top-down 32-bit bitmap, and a count of the dark ones inside `area`.
class Pixels {
 public:
  Pixels(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                 nullptr, 0);
    if (bitmap_ != nullptr) old_ = ::SelectObject(dc_, bitmap_);
  }
  ~Pixels() {
    if (old_ != nullptr) ::SelectObject(dc_, old_);
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;

  bool Valid() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_; }

  int DarkIn(const RECT& area) const {
    ::GdiFlush();
    int dark = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
      for (int x = std::max(0L, area.left); x < std::min<LONG>(width_, area.right); ++x) {
        const std::uint32_t pixel = bits_[static_cast<std::size_t>(y) * width_ + x];
        const int blue = pixel & 0xFF;
        const int green = (pixel >> 8) & 0xFF;
        const int red = (pixel >> 16) & 0xFF;
        if (red * 30 + green * 59 + blue * 11 < 96 * 100) ++dark;
      }
    }
    return dark;
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

HFONT ProgramFont(bool bold) {
  HDC screen = ::GetDC(nullptr);
  const int pointsInPixels = -::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, screen);
  return ::CreateFontW(pointsInPixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
}

// Dark pixels of `text` drawn centred in a control of this size, as a push button draws it.
int ReferenceInk(const std::wstring& text, int width, int height, const RECT& area, bool bold) {
  Pixels pixels(width, height);
  if (!pixels.Valid()) return 0;
  RECT all{0, 0, width, height};
  ::FillRect(pixels.Dc(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
  HFONT font = ProgramFont(bold);
  const HGDIOBJ old = ::SelectObject(pixels.Dc(), font);
  ::SetBkMode(pixels.Dc(), TRANSPARENT);
  ::SetTextColor(pixels.Dc(), RGB(0, 0, 0));
  std::wstring copy = text;
  ::DrawTextW(pixels.Dc(), copy.data(), static_cast<int>(copy.size()), &all,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  const int ink = pixels.DarkIn(area);
  ::SelectObject(pixels.Dc(), old);
  ::DeleteObject(font);
  return ink;
}

}  // namespace

int TextWidth(const std::wstring& text) {
  HDC screen = ::GetDC(nullptr);
  HFONT font = ProgramFont(false);
  const HGDIOBJ old = ::SelectObject(screen, font);
  SIZE size{};
  ::GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(screen, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, screen);
  return size.cx;
}

DrawnCaption CaptionOnScreen(HWND control) {
  DrawnCaption caption;
  RECT onScreen{};
  if (!::GetWindowRect(control, &onScreen)) return caption;
  const int width = onScreen.right - onScreen.left;
  const int height = onScreen.bottom - onScreen.top;
  // Inside the 3-D frame, the default-button border and the dotted focus mark.
  constexpr int kInset = 5;
  const RECT area{kInset, kInset, width - kInset, height - kInset};
  if (area.right <= area.left || area.bottom <= area.top) return caption;

  Pixels pixels(width, height);
  if (!pixels.Valid()) return caption;
  HDC screen = ::GetDC(nullptr);
  const BOOL copied = ::BitBlt(pixels.Dc(), 0, 0, width, height, screen, onScreen.left,
                               onScreen.top, SRCCOPY | CAPTUREBLT);
  ::ReleaseDC(nullptr, screen);
  if (!copied) return caption;

  const std::wstring text = TextOf(control);
  caption.ink = pixels.DarkIn(area);
  caption.normalInk = ReferenceInk(text, width, height, area, false);
  caption.boldInk = ReferenceInk(text, width, height, area, true);
  // Too little ink to be the caption (covered, off the screen, not painted yet), or fonts
  // that can't be told apart.
  if (caption.ink * 2 < caption.normalInk || caption.boldInk <= caption.normalInk) return caption;
  caption.weight =
      std::abs(caption.ink - caption.boldInk) < std::abs(caption.ink - caption.normalInk)
          ? Weight::Bold
          : Weight::Normal;
  return caption;
}

std::string Describe(const DrawnCaption& caption) {
  const char* weight = caption.weight == Weight::Bold     ? "bold"
                       : caption.weight == Weight::Normal ? "normal"
                                                          : "unreadable";
  return std::string(weight) + " (" + std::to_string(caption.ink) + " dark pixels; the caption " +
         "drawn normal has " + std::to_string(caption.normalInk) + ", bold " +
         std::to_string(caption.boldInk) + ")";
}

::testing::AssertionResult DrawnWith(HWND control, Weight weight) {
  DrawnCaption seen;
  if (WaitUntil(
          [&] {
            seen = CaptionOnScreen(control);
            return seen.weight == weight;
          },
          kPaintTimeout))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the caption \"" << Utf8(TextOf(control)) << "\" is drawn " << Describe(seen);
}

HWND FocusInThreadOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// --- acting ---

bool Click(HWND button) {
  bool answered = false;
  SendWithTimeout(button, BM_CLICK, 0, 0, &answered);
  return answered;
}

bool PostClick(HWND button) {
  return ::PostMessageW(button, BM_CLICK, 0, 0) != 0;
}

void TypeChars(HWND target, const std::wstring& text) {
  for (wchar_t c : text) ::PostMessageW(target, WM_CHAR, c, 1);
}

void PressKey(HWND target, UINT virtualKey) {
  ::PostMessageW(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
  ::PostMessageW(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

void PressEnter(HWND target) {
  PressKey(target, VK_RETURN);
}

void TypeOver(HWND edit, const std::wstring& text) {
  SendWithTimeout(edit, EM_SETSEL, 0, -1);
  TypeChars(edit, text);
}

bool PostMouseClick(HWND control) {
  RECT client{};
  if (!::GetClientRect(control, &client)) return false;
  const LPARAM middle =
      MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
  return ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle) != 0 &&
         ::PostMessageW(control, WM_LBUTTONUP, 0, middle) != 0;
}

}  // namespace blackbox
