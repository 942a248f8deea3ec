// A burst of dial progress against the real main window on real windows:
//   bench_dial_progress [REPORTS]
// The simulated service sends REPORTS (1000 by default) progress reports back to back from
// its own thread. Every text the status line is given is recorded, and from a second thread
// the window is sent WM_NULL over and over, timing how long each answer takes. Prints
// "reports=GOT/WANTED in-order=yes|no burst-ms=... all-ms=... answers=N max-answer-ms=...";
// the exit code is 1 when a report is missing or out of order.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/TForm1.h"
#include "dial/DialStatusText.h"
#include "platform/native/IniProfileFiles.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32RemoteAccess.h"
#include "platform/win32/Win32Text.h"
#include "tests/support/FakeNotifyIcons.h"
#include "tests/support/FakePower.h"
#include "tests/support/FakeTextEditor.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr DWORD kPatienceMs = 120000;
constexpr UINT kAnswerTimeoutMs = 10000;

// What the status line is given, as it goes to the window.
WNDPROC LabelProc = nullptr;
std::vector<std::wstring> StatusTexts;
std::vector<LARGE_INTEGER> StatusTimes;

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now;
}

LRESULT CALLBACK RecordingLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT && lParam != 0) {
    StatusTexts.emplace_back(reinterpret_cast<const wchar_t*>(lParam));
    StatusTimes.push_back(Now());
  }
  return ::CallWindowProcW(LabelProc, window, message, wParam, lParam);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

std::string Utf8(const std::wstring& wide) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, nullptr);
  return bytes;
}

// Sends WM_NULL to the window until told to stop, keeping the longest answer time.
class Pinger {
 public:
  explicit Pinger(HWND window) : window_(window), thread_([this] { Run(); }) {}
  ~Pinger() { Stop(); }

  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  int Answers() const { return answers_; }
  int Unanswered() const { return unanswered_; }
  double LongestMs() const { return longestMs_; }

 private:
  void Run() {
    while (!stop_) {
      const LARGE_INTEGER sent = Now();
      DWORD_PTR result = 0;
      if (::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result))
        ++answers_;
      else
        ++unanswered_;
      longestMs_ = std::max(longestMs_, Milliseconds(sent, Now()));
      ::Sleep(1);
    }
  }

  HWND window_;
  std::atomic<bool> stop_{false};
  int answers_ = 0;
  int unanswered_ = 0;
  double longestMs_ = 0;
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  const int burst = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  testing_support::TempFolder folder;
  // The stand-in service reads its phone book from the file this names.
  folder.Write("phonebook.ini", "[Burst]\r\nStepMs=0\r\nBurst=" + std::to_string(burst) + "\r\n");
  ::SetEnvironmentVariableW(L"BRUMELKA_RAS_PHONEBOOK", (folder.Path() / "phonebook.ini").c_str());
  const auto windowsFolder = folder.Path() / "windows";
  std::filesystem::create_directories(windowsFolder);
  platform::IniProfileFiles profiles(windowsFolder);
  profiles.Write("brumelka.ini", "Main", "Version", "0.90");
  profiles.Write("brumelka.ini", "Params", "IsMinimizeToTrayOnConnect", "0");

  win32::Win32Backend backend(::GetModuleHandleW(nullptr));
  platform::Win32RemoteAccess remoteAccess;
  platform::Win32Clock clock;
  testing_support::FakeTextEditor textEditor;
  testing_support::FakeNotifyIcons notifyIcons;
  testing_support::FakePower power;
  TForm1 form(backend,
              MainWindowServices{profiles, remoteAccess, clock, textEditor, notifyIcons, power});
  form.Show();
  backend.ProcessPendingMessages();
  if (!form.IsLoggedIn || form.ConnectionListBox.Count() != 1) {
    std::fprintf(stderr, "the window did not start logged in with the burst entry listed\n");
    return 1;
  }

  // The states the service goes through: the first, the burst, then the usual way on.
  std::vector<std::uint32_t> states = {0};
  for (int i = 1; i <= burst; ++i) states.push_back(static_cast<std::uint32_t>(i % 5));
  for (std::uint32_t state : {1u, 2u, 3u, 4u, 5u, 14u, 0x2000u}) states.push_back(state);
  std::vector<std::wstring> expected;
  for (std::uint32_t state : states)
    expected.push_back(win32::Wide(dial::DialStatusText(remoteAccess, state, 0)));

  const HWND label = dynamic_cast<win32::Win32Control&>(form.Label1.Peer()).Handle();
  LabelProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingLabelProc)));
  Pinger pinger(reinterpret_cast<HWND>(form.Peer().NativeHandle()));

  const LARGE_INTEGER started = Now();
  form.ConnectButtonClick();
  while (StatusTexts.size() < expected.size() && Milliseconds(started, Now()) < kPatienceMs) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) backend.ProcessMessage(message);
  }
  const std::size_t burstEnd = static_cast<std::size_t>(burst);
  const LARGE_INTEGER burstDone = StatusTimes.size() > burstEnd ? StatusTimes[burstEnd] : Now();
  const LARGE_INTEGER allDone = StatusTimes.empty() ? started : StatusTimes.back();
  pinger.Stop();
  ::SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelProc));
  form.DisconnectButtonClick();

  const bool inOrder = StatusTexts == expected;
  if (!inOrder) {
    const auto [got, wanted] =
        std::mismatch(StatusTexts.begin(), StatusTexts.end(), expected.begin(), expected.end());
    const auto at = static_cast<std::size_t>(got - StatusTexts.begin());
    std::fprintf(stderr, "status texts differ from report %zu on: got \"%s\", wanted \"%s\"\n", at,
                 got != StatusTexts.end() ? Utf8(*got).c_str() : "(none)",
                 wanted != expected.end() ? Utf8(*wanted).c_str() : "(none)");
  }
  std::printf(
      "reports=%zu/%zu in-order=%s burst-ms=%.0f all-ms=%.0f answers=%d unanswered=%d "
      "max-answer-ms=%.1f\n",
      StatusTexts.size(), expected.size(), inOrder ? "yes" : "no", Milliseconds(started, burstDone),
      Milliseconds(started, allDone), pinger.Answers(), pinger.Unanswered(), pinger.LongestMs());
  return inOrder ? 0 : 1;
}
