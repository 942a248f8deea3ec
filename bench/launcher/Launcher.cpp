// Starts programs in turn and measures each from outside, so that what Wine itself costs at
// start-up is the same for all of them:
//   bench_launcher [--exit-by-menu=LABEL] RUNS LABEL PROGRAM [LABEL PROGRAM...]
// Each program runs once to warm the caches, then RUNS times, taking turns with the others. A
// run is timed from just before CreateProcess until a visible top-level window of the new
// process exists; once the program then idles, its peak working set is read, the window is
// closed as its close box does (for the program named by --exit-by-menu: its Exit command is
// chosen in its main menu, as by the keyboard), and the time from that until the process has
// ended is taken too.
// Prints one line per program:
//   "LABEL start-ms=MEDIAN peak-kib=MEDIAN exit-ms=MEDIAN runs=RUNS".

#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
// After its window shows, a program gets this long to finish what it does at start-up.
constexpr DWORD kIdleMs = 500;
// A program not gone this long after its window was closed is ended, and the run fails.
constexpr DWORD kExitTimeoutMs = 10000;

struct Program {
  std::wstring label;
  std::wstring path;
  std::vector<double> startMs;
  std::vector<double> peakKib;
  std::vector<double> exitMs;
};

struct Run {
  double startMs;
  double peakKib;
  double exitMs;
};

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && ::IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleWindowOf(DWORD processId) {
  WindowSearch search{processId, nullptr};
  ::EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool MenuOpen(DWORD processId) {
  HWND menu = nullptr;
  while ((menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(menu, &owner);
    if (owner == processId && ::IsWindowVisible(menu)) return true;
  }
  return false;
}

void PressKey(HWND window, UINT key) {
  ::PostMessageW(window, WM_KEYDOWN, key, 1);
  ::PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// The program's "Меню" link opens its main menu; Exit is its last item, seven steps down.
bool ChooseExitFromMenu(HWND main, DWORD processId) {
  constexpr POINT kMenuLink{360, 291};
  constexpr int kStepsToExit = 7;
  const HWND link = ::ChildWindowFromPointEx(main, kMenuLink, CWP_SKIPINVISIBLE);
  if (link == nullptr || link == main) return false;
  ::PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  for (int waited = 0; !MenuOpen(processId); waited += 5) {
    if (waited > 5000) return false;
    ::Sleep(5);
  }
  for (int i = 0; i < kStepsToExit; ++i) PressKey(main, VK_DOWN);
  return true;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double frequency = [] {
    LARGE_INTEGER value;
    ::QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / frequency;
}

std::optional<Run> RunOnce(const std::wstring& path, bool exitByMenu) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER started;
  ::QueryPerformanceCounter(&started);
  if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", path.c_str(), ::GetLastError());
    return std::nullopt;
  }
  std::optional<Run> run;
  LARGE_INTEGER now = started;
  HWND shown = nullptr;
  while (shown == nullptr && Milliseconds(started, now) < kWindowTimeoutMs) {
    shown = VisibleWindowOf(process.dwProcessId);
    ::QueryPerformanceCounter(&now);
    if (shown == nullptr) ::Sleep(1);
  }
  if (shown != nullptr) {
    const double startMs = Milliseconds(started, now);
    ::WaitForInputIdle(process.hProcess, kWindowTimeoutMs);
    ::Sleep(kIdleMs);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    const bool measured = ::GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
    if (!measured) std::fwprintf(stderr, L"no memory figures for %ls\n", path.c_str());
    LARGE_INTEGER closed, ended;
    const bool menuReady = !exitByMenu || ChooseExitFromMenu(shown, process.dwProcessId);
    if (!menuReady) std::fwprintf(stderr, L"%ls opened no menu\n", path.c_str());
    ::QueryPerformanceCounter(&closed);
    if (exitByMenu)
      PressKey(shown, VK_RETURN);
    else
      ::PostMessageW(shown, WM_CLOSE, 0, 0);
    const bool gone = ::WaitForSingleObject(process.hProcess, kExitTimeoutMs) == WAIT_OBJECT_0;
    ::QueryPerformanceCounter(&ended);
    if (!gone)
      std::fwprintf(stderr, L"%ls did not end after its window was closed\n", path.c_str());
    if (measured && gone && menuReady)
      run = Run{startMs, static_cast<double>(memory.PeakWorkingSetSize) / 1024.0,
                Milliseconds(closed, ended)};
  } else {
    std::fwprintf(stderr, L"%ls showed no window within %lu ms\n", path.c_str(), kWindowTimeoutMs);
  }
  ::TerminateProcess(process.hProcess, 0);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring exitByMenu;
  constexpr std::wstring_view kExitByMenu = L"--exit-by-menu=";
  if (argc > 1 && std::wstring_view(argv[1]).substr(0, kExitByMenu.size()) == kExitByMenu) {
    exitByMenu = argv[1] + kExitByMenu.size();
    --argc;
    ++argv;
  }
  if (argc < 4 || argc % 2 != 0) {
    std::fwprintf(stderr,
                  L"usage: bench_launcher [--exit-by-menu=LABEL] RUNS LABEL PROGRAM "
                  L"[LABEL PROGRAM...]\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  std::vector<Program> programs;
  for (int i = 2; i + 1 < argc; i += 2) programs.push_back({argv[i], argv[i + 1], {}, {}, {}});

  for (Program& program : programs)
    if (!RunOnce(program.path, program.label == exitByMenu)) return 1;
  for (int i = 0; i < runs; ++i) {
    for (Program& program : programs) {
      const std::optional<Run> run = RunOnce(program.path, program.label == exitByMenu);
      if (!run) return 1;
      program.startMs.push_back(run->startMs);
      program.peakKib.push_back(run->peakKib);
      program.exitMs.push_back(run->exitMs);
    }
  }
  for (const Program& program : programs)
    std::wprintf(L"%ls start-ms=%.1f peak-kib=%.0f exit-ms=%.1f runs=%d\n", program.label.c_str(),
                 Median(program.startMs), Median(program.peakKib), Median(program.exitMs), runs);
  return 0;
}
