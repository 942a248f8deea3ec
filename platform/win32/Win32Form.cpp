#include "platform/win32/Win32Form.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Guard.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Timer.h"

namespace win32 {
namespace {

constexpr const char* kDefaultClass = "BrumelkaForm";
// Messages a form may take through Form::HandleMessage: the private ranges of WM_USER and
// WM_APP, and the RegisterWindowMessage numbers above them (the shell's "TaskbarCreated").
constexpr UINT kLastFormMessage = 0xFFFF;

DWORD StyleOf(ui::FormStyle style) {
  // WS_CLIPCHILDREN: the form's background is never painted over its controls.
  if (style == ui::FormStyle::Main)
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

DWORD ExStyleOf(ui::FormStyle style) {
  return style == ui::FormStyle::Main ? 0 : WS_EX_DLGMODALFRAME;
}

// Frames and rules lie beneath everything; the focusable controls come first, in tab order.
int Layer(const Win32Control& control) {
  switch (control.Kind()) {
    case ui::ControlKind::GroupBox:
    case ui::ControlKind::BevelFrame:
    case ui::ControlKind::BevelLine:
      return 2;
    default:
      return control.Focusable() ? 0 : 1;
  }
}

POINT CenteredOnScreen(int width, int height) {
  return {(::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
          (::GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

}  // namespace

Win32Form::Win32Form(Win32Backend& backend, const ui::FormOptions& options, ui::FormEvents& events)
    : backend_(backend),
      events_(&events),
      isMain_(options.style == ui::FormStyle::Main && backend.MainWindow() == nullptr),
      fonts_(Wide(options.fontName), options.fontPoints) {
  const std::wstring className =
      Wide(options.windowClass.empty() ? std::string(kDefaultClass) : options.windowClass);
  backend_.RegisterFormClass(className);

  const DWORD style = StyleOf(options.style);
  const DWORD exStyle = ExStyleOf(options.style);
  // The size given is that of the client area; the frame comes around it.
  const ui::Size client = ToDevice(options.clientSize);
  RECT frame{0, 0, client.width, client.height};
  ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  // Dialogs belong to the main window: no taskbar buttons of their own, always above it.
  const HWND owner = options.style == ui::FormStyle::Main ? nullptr : backend_.MainWindow();
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  POINT position{0, 0};
  if (options.centered)
    position = CenteredOnScreen(width, height);
  else if (options.style == ui::FormStyle::Main)
    position = {CW_USEDEFAULT, CW_USEDEFAULT};
  ::CreateWindowExW(exStyle, className.c_str(), Wide(options.caption).c_str(), style, position.x,
                    position.y, width, height, owner, nullptr, backend_.Instance(), this);
  if (hwnd_ == nullptr) throw std::runtime_error("CreateWindowExW failed for a form");
  hints_ = std::make_unique<Hints>(hwnd_);
  backend_.Adopt(this);
}

Win32Form::~Win32Form() {
  events_ = nullptr;
  backend_.Forget(this);
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  hints_.reset();
}

LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded(0, [&]() -> LRESULT {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      auto* form = static_cast<Win32Form*>(create->lpCreateParams);
      form->hwnd_ = window;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Win32Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      form->hwnd_ = nullptr;
      return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return form->Handle(message, wParam, lParam);
  });
}

LRESULT Win32Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Win32Control* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
        control->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      const LRESULT brush = ::DefWindowProcW(hwnd_, message, wParam, lParam);
      if (Win32Control* control = ControlOf(reinterpret_cast<HWND>(lParam)))
        control->PaintColours(reinterpret_cast<HDC>(wParam));
      return brush;
    }
    case WM_TIMER: {
      const auto found = timers_.find(wParam);
      if (found == timers_.end()) break;
      found->second->Fire();
      return 0;
    }
    case WM_ACTIVATE:
      return OnActivate(wParam, lParam);
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        // Raised once per minimising, whether it came from the box, the system menu or the
        // taskbar; the window is minimised already and stays so unless the handler acts.
        if (!minimizeRaised_) {
          minimizeRaised_ = true;
          if (events_ != nullptr) events_->RaiseMinimize();
        }
      } else {
        minimizeRaised_ = false;
      }
      break;
    case WM_CLOSE:
      if (events_ != nullptr) events_->RaiseClose();
      // A dialog shown modally is only put away: it is shown again later.
      if (modal_) {
        EndModal();
        return 0;
      }
      if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
      return 0;
    case DM_GETDEFID:
      // Asked by the keyboard interface when the focus reaches a push button. The forms
      // have no default button by id, and WM_USER is not theirs to handle either.
      return 0;
    case WM_DESTROY:
      if (events_ != nullptr) events_->RaiseDestroy();
      if (isMain_) ::PostQuitMessage(0);
      break;
    default:
      if (message >= WM_USER && message <= kLastFormMessage && events_ != nullptr &&
          events_->RaiseMessage(message, wParam, static_cast<std::intptr_t>(lParam)))
        return 0;
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Win32Form::OnActivate(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
    return 0;
  }
  if (HIWORD(wParam) != 0) return 0;  // activated while minimised: no focus to give
  // Coming back to the form puts the focus where it was, or on the first control in tab
  // order the first time, as dialogs do; plain windows would keep it for themselves.
  HWND target = expectedFocus_ != nullptr ? expectedFocus_ : lastFocus_;
  const auto usable = [this](HWND window) {
    return window != nullptr && ::IsWindow(window) && ::IsChild(hwnd_, window) &&
           ::IsWindowVisible(window) && ::IsWindowEnabled(window);
  };
  if (!usable(target)) target = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (usable(target)) {
    ::SetFocus(target);
    return 0;
  }
  return ::DefWindowProcW(hwnd_, WM_ACTIVATE, wParam, lParam);
}

void Win32Form::SetCaption(const std::string& cp1251) {
  // The same caption again would only cost a round of messages and a repaint of the frame.
  if (Caption() == cp1251) return;
  ::SetWindowTextW(hwnd_, Wide(cp1251).c_str());
}

std::string Win32Form::Caption() const {
  return WindowText(hwnd_);
}

ui::Size Win32Form::ClientSize() const {
  RECT client{};
  if (hwnd_ == nullptr || !::GetClientRect(hwnd_, &client)) return {};
  return FromDevice(ui::Size{client.right - client.left, client.bottom - client.top});
}

ui::Rect Win32Form::ScreenBounds() const {
  RECT frame{};
  if (hwnd_ == nullptr || !::GetWindowRect(hwnd_, &frame)) return {};
  return FromDevice(frame);
}

void Win32Form::Show() {
  if (zOrderStale_) ArrangeZOrderNow();
  ::ShowWindow(hwnd_, ::IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
}

void Win32Form::Hide() {
  ::ShowWindow(hwnd_, SW_HIDE);
}

bool Win32Form::Visible() const {
  return hwnd_ != nullptr && ::IsWindowVisible(hwnd_);
}

bool Win32Form::Minimized() const {
  return hwnd_ != nullptr && ::IsIconic(hwnd_);
}

void Win32Form::Restore() {
  if (Minimized()) ::ShowWindow(hwnd_, SW_RESTORE);
}

void Win32Form::BringToFront() {
  if (hwnd_ == nullptr) return;
  ::SetForegroundWindow(hwnd_);
  ::BringWindowToTop(hwnd_);
}

void Win32Form::SetEnabled(bool enabled) {
  ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool Win32Form::Enabled() const {
  return hwnd_ != nullptr && ::IsWindowEnabled(hwnd_);
}

void Win32Form::ShowModal(ui::FormPeer* owner) {
  if (modal_) throw std::logic_error("form is already shown modally");
  if (hwnd_ == nullptr) throw std::logic_error("the form's window is destroyed");
  const HWND ownerWindow =
      owner != nullptr ? reinterpret_cast<HWND>(owner->NativeHandle()) : nullptr;
  const bool ownerWasEnabled = ownerWindow != nullptr && ::IsWindowEnabled(ownerWindow);
  if (ownerWindow != nullptr) {
    // The owner of a top-level window is set this way; SetParent would make it a child.
    ::SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow));
    ::EnableWindow(ownerWindow, FALSE);
  }
  modal_ = true;
  if (zOrderStale_) ArrangeZOrderNow();
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetActiveWindow(hwnd_);
  {
    const ModalScope modal(backend_);
    RunModalLoop();
  }
  modal_ = false;
  // The owner is enabled before the dialog goes, so that Windows hands the activation back to
  // it and not to some other program's window.
  if (ownerWasEnabled) ::EnableWindow(ownerWindow, TRUE);
  if (hwnd_ != nullptr) ::ShowWindow(hwnd_, SW_HIDE);
  if (ownerWindow != nullptr && ::IsWindowVisible(ownerWindow)) ::SetActiveWindow(ownerWindow);
}

void Win32Form::RunModalLoop() {
  while (modal_ && hwnd_ != nullptr) {
    MSG message;
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return;
    if (got == 0) {
      // The program is ending: the outer loop must see the quit message too.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    backend_.ProcessMessage(message);
  }
}

void Win32Form::EndModal() {
  if (!modal_) return;
  modal_ = false;
  // Wakes the modal loop should it be waiting for a message.
  if (hwnd_ != nullptr) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void Win32Form::Close() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void Win32Form::Adopt(Win32Control* control) {
  controls_.push_back(control);
  zOrder_.push_back(control);
}

void Win32Form::Forget(Win32Control* control) {
  std::erase(controls_, control);
  std::erase(zOrder_, control);
  if (lastFocus_ == control->Handle()) lastFocus_ = nullptr;
  if (expectedFocus_ == control->Handle()) expectedFocus_ = nullptr;
}

Win32Control* Win32Form::ControlOf(HWND window) const {
  Win32Control* control = Win32Control::OfWindow(window);
  return control != nullptr && control->BelongsTo(*this) ? control : nullptr;
}

void Win32Form::ArrangeZOrder() {
  if (hwnd_ != nullptr && !::IsWindowVisible(hwnd_)) {
    zOrderStale_ = true;
    return;
  }
  ArrangeZOrderNow();
}

void Win32Form::ArrangeZOrderNow() {
  zOrderStale_ = false;
  std::vector<Win32Control*> order(controls_.begin(), controls_.end());
  std::stable_sort(order.begin(), order.end(), [](Win32Control* a, Win32Control* b) {
    const int layerA = Layer(*a);
    const int layerB = Layer(*b);
    if (layerA != layerB) return layerA < layerB;
    if (layerA != 0) return false;
    const int orderA = a->TabOrder() < 0 ? INT_MAX : a->TabOrder();
    const int orderB = b->TabOrder() < 0 ? INT_MAX : b->TabOrder();
    return orderA < orderB;
  });
  std::erase_if(order, [](Win32Control* control) { return control->Handle() == nullptr; });
  std::erase_if(zOrder_, [](Win32Control* control) { return control->Handle() == nullptr; });
  // Only the windows out of place are moved: each move is a round of messages.
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i < zOrder_.size() && zOrder_[i] == order[i]) continue;
    ::SetWindowPos(order[i]->Handle(), i == 0 ? HWND_TOP : order[i - 1]->Handle(), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    std::erase(zOrder_, order[i]);
    zOrder_.insert(zOrder_.begin() + static_cast<std::ptrdiff_t>(std::min(i, zOrder_.size())),
                   order[i]);
  }
}

}  // namespace win32
