#include "platform/win32/Win32Timer.h"

#include "platform/win32/Win32Form.h"

namespace win32 {

Win32Timer::Win32Timer(Win32Form& owner, UINT_PTR id, std::function<void()> onTimer)
    : owner_(owner), id_(id), onTimer_(std::move(onTimer)) {
  owner_.Adopt(id_, this);
}

Win32Timer::~Win32Timer() {
  if (owner_.Handle() != nullptr) ::KillTimer(owner_.Handle(), id_);
  owner_.Forget(id_);
}

void Win32Timer::SetInterval(std::uint32_t milliseconds) {
  interval_ = milliseconds;
  Restart();
}

void Win32Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void Win32Timer::Restart() {
  const HWND window = owner_.Handle();
  if (window == nullptr) return;
  ::KillTimer(window, id_);
  // Windows would round an interval of 0 up and fire; a Delphi timer doesn't fire at all.
  if (enabled_ && interval_ > 0) ::SetTimer(window, id_, interval_, nullptr);
}

void Win32Timer::Fire() {
  // A WM_TIMER may already wait in the queue when the timer is stopped.
  if (enabled_ && interval_ > 0 && onTimer_) onTimer_();
}

}  // namespace win32
