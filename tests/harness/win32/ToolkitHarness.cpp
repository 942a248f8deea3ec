// The toolkit on real windows. The user's hands are the system's own input queue: SendInput
// moves the pointer, presses buttons and keys, and Windows decides which window gets what, as
// it would for a person. Message boxes are answered by a watcher on the UI thread.

#include "contract/ToolkitHarness.h"

#include <windows.h>

#include <algorithm>

#include "harness/win32/MessageBoxWatcher.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32Text.h"

namespace {

HWND WindowOf(ui::Control& control) {
  return dynamic_cast<win32::Win32Control&>(control.Peer()).Handle();
}

HWND WindowOf(ui::Form& form) {
  return reinterpret_cast<HWND>(form.Peer().NativeHandle());
}

void SendKey(WORD key, wchar_t unit = 0) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = unit;
    input.ki.dwFlags = unit != 0 ? KEYEVENTF_UNICODE : 0;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  ::SendInput(2, inputs, sizeof(INPUT));
}

class Win32ToolkitHarness : public ToolkitHarness {
 public:
  Win32ToolkitHarness() : backend_(::GetModuleHandleW(nullptr)) {}
  ~Win32ToolkitHarness() override { Pump(); }

  ui::Backend& Backend() override { return backend_; }

  bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) override {
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
      Pump();
      if (condition()) return true;
      const ULONGLONG now = ::GetTickCount64();
      if (now >= deadline) return false;
      const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10));
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
  }

  void Click(ui::Control& control) override {
    RECT frame{};
    ::GetWindowRect(WindowOf(control), &frame);
    MovePointer({(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    Settle();
  }

  void TypeText(ui::Control& control, const std::string& cp1251) override {
    control.SetFocus();
    Settle();
    for (const wchar_t unit : win32::Wide(cp1251)) {
      SendKey(0, unit);
      Settle();
    }
  }

  void PressEnter(ui::Control& /*control*/) override {
    SendKey(VK_RETURN);
    Settle();
  }

  void PressTab(ui::Form& /*form*/) override {
    SendKey(VK_TAB);
    Settle();
  }

  void Hover(ui::Control& control, int x, int y) override {
    POINT at{x, y};
    ::ClientToScreen(WindowOf(control), &at);
    MovePointer(at);
    Settle();
  }

  void MoveAway(ui::Control& /*control*/) override {
    // The forms under test are small and near the top left; this corner is clear of them.
    MovePointer({::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2});
    Settle();
  }

  void Minimize(ui::Form& form) override {
    ::SendMessageW(WindowOf(form), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Settle();
  }

  void CloseBox(ui::Form& form) override {
    ::SendMessageW(WindowOf(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle();
  }

  void SendFormMessage(ui::Form& form, std::uint32_t id, std::uintptr_t wParam,
                       std::intptr_t lParam) override {
    ::SendMessageW(WindowOf(form), id, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
  }

  std::vector<std::string> ErrorReports() override {
    std::vector<std::string> texts;
    for (const win32test::SeenBox& box : boxes_.Seen())
      if (box.errorIcon) texts.push_back(box.text);
    return texts;
  }

  ui::Size ScreenSize() override {
    return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }

 private:
  void MovePointer(POINT to) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions are given in 65536ths of the screen.
    input.mi.dx = ::MulDiv(to.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = ::MulDiv(to.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
  }

  // Handles the messages waiting now. A quit message comes when a test destroys its main
  // form; no loop here is meant to end with it.
  void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message != WM_QUIT) backend_.ProcessMessage(message);
    }
  }

  // Input travels through the system's queues: it is handled once the queue has stayed empty
  // of input, posted and sent messages for a few rounds. Timers may go on ticking meanwhile.
  void Settle() {
    const ULONGLONG deadline = ::GetTickCount64() + 2000;
    int quietRounds = 0;
    while (quietRounds < 3 && ::GetTickCount64() < deadline) {
      Pump();
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      const DWORD waiting = HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE));
      quietRounds = waiting == 0 ? quietRounds + 1 : 0;
    }
    Pump();
  }

  win32test::MessageBoxWatcher boxes_;
  win32::Win32Backend backend_;
};

}  // namespace

std::unique_ptr<ToolkitHarness> MakeToolkitHarness() {
  return std::make_unique<Win32ToolkitHarness>();
}
