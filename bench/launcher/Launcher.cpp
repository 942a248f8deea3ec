// Starts programs in turn and measures each from outside, so that what Wine itself costs at
// start-up is the same for all of them:
//   bench_launcher RUNS LABEL PROGRAM [LABEL PROGRAM...]
// Each program runs once to warm the caches, then RUNS times, taking turns with the others. A
// run is timed from just before CreateProcess until a visible top-level window of the new
// process exists; once the program then idles, its peak working set is read, the window is
// closed as its close box does, and the time until the process has ended is taken too.
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

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  static const double frequency = [] {
    LARGE_INTEGER value;
    ::QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / frequency;
}

std::optional<Run> RunOnce(const std::wstring& path) {
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
    ::QueryPerformanceCounter(&closed);
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
    const bool gone = ::WaitForSingleObject(process.hProcess, kExitTimeoutMs) == WAIT_OBJECT_0;
    ::QueryPerformanceCounter(&ended);
    if (!gone)
      std::fwprintf(stderr, L"%ls did not end after its window was closed\n", path.c_str());
    if (measured && gone)
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
  if (argc < 4 || argc % 2 != 0) {
    std::fwprintf(stderr, L"usage: bench_launcher RUNS LABEL PROGRAM [LABEL PROGRAM...]\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  std::vector<Program> programs;
  for (int i = 2; i + 1 < argc; i += 2) programs.push_back({argv[i], argv[i + 1], {}, {}, {}});

  for (Program& program : programs)
    if (!RunOnce(program.path)) return 1;
  for (int i = 0; i < runs; ++i) {
    for (Program& program : programs) {
      const std::optional<Run> run = RunOnce(program.path);
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
