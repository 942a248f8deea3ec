#pragma once
// A timer of the owner form's window, told apart from the form's other timers by its id.

#include <windows.h>

#include <functional>

#include "platform/ui/Peers.h"

namespace win32 {

class Win32Form;

class Win32Timer : public ui::TimerPeer {
 public:
  Win32Timer(Win32Form& owner, UINT_PTR id, std::function<void()> onTimer);
  ~Win32Timer() override;
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;

  // A new interval counts from now, as with a Delphi timer.
  void SetInterval(std::uint32_t milliseconds) override;
  std::uint32_t Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }

  // The form's WM_TIMER for this id.
  void Fire();

 private:
  void Restart();

  Win32Form& owner_;
  UINT_PTR id_;
  std::function<void()> onTimer_;
  std::uint32_t interval_ = 0;
  bool enabled_ = false;
};

}  // namespace win32
