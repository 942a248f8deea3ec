#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Peers.h"
#include "platform/win32/Win32Fonts.h"
#include "platform/win32/Win32Hints.h"

namespace win32 {

class Win32Backend;
class Win32Control;
class Win32Timer;

class Win32Form : public ui::FormPeer {
 public:
  Win32Form(Win32Backend& backend, const ui::FormOptions& options, ui::FormEvents& events);
  // Raises no more events: the portable form is being taken apart.
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  // --- ui::FormPeer ---
  void SetCaption(const std::string& cp1251) override;
  std::string Caption() const override;
  ui::Size ClientSize() const override;
  ui::Rect ScreenBounds() const override;
  void Show() override;
  void Hide() override;
  bool Visible() const override;
  bool Minimized() const override;
  void Restore() override;
  void BringToFront() override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void ShowModal(ui::FormPeer* owner) override;
  void EndModal() override;
  void Close() override;
  std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }

  // --- for the controls and timers of this form ---
  HWND Handle() const { return hwnd_; }
  Win32Backend& Backend() const { return backend_; }
  FontSet& Fonts() { return fonts_; }
  Hints& Tooltips() { return *hints_; }
  int NextControlId() { return nextControlId_++; }
  void Adopt(Win32Control* control);
  void Forget(Win32Control* control);
  // This form's control whose window this is; null for any other window.
  Win32Control* ControlOf(HWND window) const;
  // Keeps the children's z-order such that the dialog manager's Tab visits the focusable
  // controls in their tab order, and frames and rules lie beneath the controls they hold.
  // A hidden form is arranged once, when it shows: rearranging all children for each one
  // made was most of the time it took to make a form.
  void ArrangeZOrder();
  void Adopt(UINT_PTR timerId, Win32Timer* timer) { timers_[timerId] = timer; }
  void Forget(UINT_PTR timerId) { timers_.erase(timerId); }
  // The control about to take the focus; activating the form gives it the focus instead of
  // the one it had when it was deactivated.
  void ExpectFocus(HWND control) { expectedFocus_ = control; }

 private:
  friend class Win32Backend;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
  void RunModalLoop();
  void ArrangeZOrderNow();

  Win32Backend& backend_;
  ui::FormEvents* events_;
  HWND hwnd_ = nullptr;
  bool isMain_;
  FontSet fonts_;
  std::unique_ptr<Hints> hints_;
  std::vector<Win32Control*> controls_;
  // The controls as their windows lie, topmost first. Kept here rather than asked of Windows,
  // which would take a round trip to the window server for every control: a window is made
  // beneath its siblings, and only ArrangeZOrderNow moves one.
  std::vector<Win32Control*> zOrder_;
  std::map<UINT_PTR, Win32Timer*> timers_;
  int nextControlId_ = 100;
  HWND lastFocus_ = nullptr;
  HWND expectedFocus_ = nullptr;
  bool minimizeRaised_ = false;
  bool modal_ = false;
  bool zOrderStale_ = false;
};

}  // namespace win32
