#include "platform/win32/Win32Control.h"

#include <windowsx.h>

#include <stdexcept>
#include <unordered_map>

#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32ControlKinds.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Form.h"
#include "platform/win32/Win32Guard.h"
#include "platform/win32/Win32Text.h"

namespace win32 {
namespace {

// An etched rule is two pixels high at any DPI: a dark line over a light one.
constexpr int kRuleHeight = 2;

// The controls by their windows, for the window procedure put in front of each class's own.
// Looked up here rather than in a window property: reading one would be a round trip to the
// window server for every message a control gets.
std::unordered_map<HWND, Win32Control*>& ControlsByWindow() {
  static std::unordered_map<HWND, Win32Control*> controls;
  return controls;
}

}  // namespace

Win32Control::Win32Control(Win32Form& form, ui::ControlKind kind, ui::Rect bounds,
                           const std::string& text, ui::ControlEvents& events)
    : form_(form), kind_(kind), events_(&events), font_(form.Fonts().Plain()), bounds_(bounds) {
  // The window is made where it belongs and with its text: every later move or change is one
  // more round of messages, and at start-up there are a few dozen of them.
  const std::wstring wideText = Wide(text);
  autoSize_ = kind_ == ui::ControlKind::Label && bounds.width == 0 && bounds.height == 0;
  // A sunken or etched static grows by the edge it adds to itself when it is made with a
  // size; placed afterwards, it keeps the size given.
  const bool edged = kind == ui::ControlKind::BevelLine || kind == ui::ControlKind::BevelFrame;
  const ui::Rect made = edged ? ui::Rect{} : autoSize_ ? FittedRect(wideText) : ToDevice(bounds_);
  const WindowKind window = WindowKindOf(kind);
  const int id = form_.NextControlId();
  hwnd_ = ::CreateWindowExW(window.exStyle, window.className, wideText.c_str(),
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | window.style, made.left,
                            made.top, made.width, made.height, form_.Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            form_.Backend().Instance(), nullptr);
  if (hwnd_ == nullptr) throw std::runtime_error("CreateWindowExW failed for a control");
  placed_ = made;
  if (edged) Place(ToDevice(bounds_));
  // Visual styles would echo a dot instead.
  if (kind_ == ui::ControlKind::PasswordEdit) ::SendMessageW(hwnd_, EM_SETPASSWORDCHAR, L'*', 0);
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  ControlsByWindow()[hwnd_] = this;
  classProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
      hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Control::WindowProc)));
  form_.Adopt(this);
  form_.ArrangeZOrder();
}

Win32Control* Win32Control::OfWindow(HWND window) {
  const auto found = ControlsByWindow().find(window);
  return found != ControlsByWindow().end() ? found->second : nullptr;
}

Win32Control::~Win32Control() {
  events_ = nullptr;
  form_.Forget(this);
  if (hwnd_ != nullptr) {
    form_.Tooltips().Remove(hwnd_);
    ::DestroyWindow(hwnd_);
  }
  form_.Fonts().Release(font_);
}

LRESULT CALLBACK Win32Control::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded(0, [&]() -> LRESULT {
    const auto found = ControlsByWindow().find(window);
    if (found == ControlsByWindow().end()) return ::DefWindowProcW(window, message, wParam, lParam);
    Win32Control* control = found->second;
    if (message == WM_NCDESTROY) {
      const WNDPROC classProc = control->classProc_;
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
      ControlsByWindow().erase(found);
      control->hwnd_ = nullptr;
      return ::CallWindowProcW(classProc, window, message, wParam, lParam);
    }
    return control->Handle(message, wParam, lParam);
  });
}

// The window may be gone, and this object with it, once a handler has run: nothing touches
// a member after the default processing or an event.
LRESULT Win32Control::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = hwnd_;
  const WNDPROC classProc = classProc_;
  switch (message) {
    case WM_CHAR:
      return OnChar(wParam, lParam);
    case WM_GETDLGCODE:
      return OnGetDialogCode(::CallWindowProcW(classProc, window, message, wParam, lParam), lParam);
    case WM_SETFOCUS: {
      const LRESULT result = ::CallWindowProcW(classProc, window, message, wParam, lParam);
      OnFocusReceived(reinterpret_cast<HWND>(wParam));
      return result;
    }
    case WM_MOUSEMOVE:
      form_.Tooltips().MouseMoved(window, wParam, lParam);
      if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        trackingMouse_ = ::TrackMouseEvent(&track) != FALSE;
      }
      if (events_ != nullptr) {
        const ui::Point at = FromDevice(ui::Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        events_->RaiseMouseMove(at.x, at.y);
      }
      break;
    case WM_MOUSELEAVE:
      trackingMouse_ = false;
      if (events_ != nullptr) events_->RaiseMouseLeave();
      break;
    case WM_SETCURSOR:
      if (link_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (kind_ == ui::ControlKind::FlatButton) return OnFlatButtonMouse(message, wParam, lParam);
      break;
    default:
      break;
  }
  return ::CallWindowProcW(classProc, window, message, wParam, lParam);
}

// The form runs the dialog manager's keyboard interface (IsDialogMessage) for Tab. Enter is
// kept away from its default-button logic, as in Delphi forms: the focused push button is
// the one Enter clicks, and in any other control Enter arrives as a character.
LRESULT Win32Control::OnGetDialogCode(LRESULT code, LPARAM lParam) const {
  if (kind_ == ui::ControlKind::Button) {
    if (::GetFocus() == hwnd_) code = (code & ~DLGC_UNDEFPUSHBUTTON) | DLGC_DEFPUSHBUTTON;
    return code;
  }
  const auto* queued = reinterpret_cast<const MSG*>(lParam);
  if (queued != nullptr && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN)
    code |= DLGC_WANTMESSAGE;
  return code;
}

LRESULT Win32Control::OnChar(WPARAM wParam, LPARAM lParam) {
  const HWND window = hwnd_;
  const WNDPROC classProc = classProc_;
  if (events_ == nullptr) return ::CallWindowProcW(classProc, window, WM_CHAR, wParam, lParam);
  const wchar_t unit = static_cast<wchar_t>(wParam);
  const std::string bytes = Narrow(std::wstring_view(&unit, 1));
  char key = bytes.empty() ? '?' : bytes.front();
  const char typed = key;
  events_->RaiseKeyPress(key);
  if (key == 0) return 0;  // the handler swallowed it
  if (key != typed) wParam = static_cast<WPARAM>(Wide(std::string_view(&key, 1)).front());
  return ::CallWindowProcW(classProc, window, WM_CHAR, wParam, lParam);
}

// A flat button never takes the focus (like a speed button): the field being typed into keeps
// it and raises no exit event. The press is tracked here instead of by the button itself,
// whose own tracking starts by taking the focus.
LRESULT Win32Control::OnFlatButtonMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = hwnd_;
  const WNDPROC classProc = classProc_;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      flatPressed_ = true;
      ::SetCapture(window);
      ::SendMessageW(window, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_LBUTTONUP: {
      if (!flatPressed_) break;
      flatPressed_ = false;
      ::SendMessageW(window, BM_SETSTATE, FALSE, 0);
      ::ReleaseCapture();
      RECT client{};
      ::GetClientRect(window, &client);
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (::PtInRect(&client, at))
        ::SendMessageW(::GetParent(window), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(window), BN_CLICKED),
                       reinterpret_cast<LPARAM>(window));
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (flatPressed_ && reinterpret_cast<HWND>(lParam) != window) {
        flatPressed_ = false;
        ::SendMessageW(window, BM_SETSTATE, FALSE, 0);
      }
      break;
    default:
      break;
  }
  return ::CallWindowProcW(classProc, window, message, wParam, lParam);
}

void Win32Control::OnFocusReceived(HWND previous) {
  // Only a move within the form is an exit: switching to another window and back is not.
  Win32Control* left = form_.ControlOf(previous);
  if (left == nullptr || left == this || left->events_ == nullptr) return;
  left->events_->RaiseExit();
}

void Win32Control::OnCommand(WORD code) {
  if (events_ == nullptr) return;
  bool click = false;
  switch (kind_) {
    case ui::ControlKind::Button:
    case ui::ControlKind::FlatButton:
    case ui::ControlKind::CheckBox:
      click = code == BN_CLICKED;
      break;
    case ui::ControlKind::Label:
    case ui::ControlKind::BevelFrame:
    case ui::ControlKind::BevelLine:
      click = code == STN_CLICKED;
      break;
    case ui::ControlKind::ListBox:
      click = code == LBN_SELCHANGE;
      break;
    default:
      break;
  }
  if (click) events_->RaiseClick();
}

void Win32Control::PaintColours(HDC dc) const {
  if (colorSet_) ::SetTextColor(dc, RGB(color_.red, color_.green, color_.blue));
}

// Setting the text a control has already, as start-up and every log-out do, changes nothing and
// would cost a round of messages: it is left alone, as the VCL does.
void Win32Control::SetText(const std::string& cp1251) {
  if (Text() == cp1251) return;
  ::SetWindowTextW(hwnd_, Wide(cp1251).c_str());
  if (autoSize_) FitToText();
}

std::string Win32Control::Text() const {
  return WindowText(hwnd_);
}

void Win32Control::SetBounds(ui::Rect bounds) {
  // A label given no size fits its text from then on; given a size, it keeps it. Moving a
  // fitted label along with the size it has (as SetLeft does) leaves it fitting.
  if (kind_ == ui::ControlKind::Label) {
    const bool noSize = bounds.width == 0 && bounds.height == 0;
    const bool sameSize = bounds.width == bounds_.width && bounds.height == bounds_.height;
    autoSize_ = noSize || (autoSize_ && sameSize);
  }
  bounds_ = bounds;
  if (autoSize_)
    FitToText();
  else
    Place(ToDevice(bounds_));
}

void Win32Control::Place(ui::Rect device) {
  if (kind_ == ui::ControlKind::BevelLine) {
    device.top += device.height - kRuleHeight;
    device.height = kRuleHeight;
  }
  // A label fitted again to a new font of the same size stays where it is.
  if (device == placed_) return;
  placed_ = device;
  ::MoveWindow(hwnd_, device.left, device.top, device.width, device.height, TRUE);
}

ui::Rect Win32Control::FittedRect(std::wstring text) {
  // An empty label still has the height of a line, as in Delphi.
  if (text.empty()) text = L" ";
  ui::Rect device = ToDevice(bounds_);
  // Measured on the screen, where the label draws, in the font it draws with.
  const HDC dc = ::GetDC(nullptr);
  if (dc == nullptr) return device;
  const HGDIOBJ previous = ::SelectObject(dc, font_);
  RECT extent{0, 0, 0, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_EXPANDTABS | DT_LEFT);
  ::SelectObject(dc, previous);
  ::ReleaseDC(nullptr, dc);
  // The window gets the size it measured, and the layout the nearest size in its own units.
  device.width = extent.right - extent.left;
  device.height = extent.bottom - extent.top;
  const RECT edges{device.left, device.top, device.left + device.width, device.top + device.height};
  bounds_ = FromDevice(edges);
  return device;
}

void Win32Control::FitToText() {
  if (hwnd_ == nullptr) return;
  Place(FittedRect(Wide(Text())));
}

ui::Rect Win32Control::Bounds() const {
  if (hwnd_ == nullptr || kind_ == ui::ControlKind::BevelLine) return bounds_;
  RECT frame{};
  ::GetWindowRect(hwnd_, &frame);
  ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&frame), 2);
  return FromDevice(frame);
}

void Win32Control::SetEnabled(bool enabled) {
  if (Enabled() == enabled) return;
  ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

bool Win32Control::Enabled() const {
  return hwnd_ != nullptr && ::IsWindowEnabled(hwnd_);
}

void Win32Control::SetVisible(bool visible) {
  ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Control::Visible() const {
  return hwnd_ != nullptr && (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Control::SetFocus() {
  const HWND form = form_.Handle();
  // IsWindowVisible answers for the form too: a control of a hidden form is not visible.
  if (hwnd_ == nullptr || form == nullptr || !::IsWindowVisible(hwnd_) ||
      !::IsWindowEnabled(hwnd_) || !::IsWindowEnabled(form))
    throw ui::FocusError();
  form_.ExpectFocus(hwnd_);
  ::SetFocus(hwnd_);
  form_.ExpectFocus(nullptr);
}

bool Win32Control::Focused() const {
  return hwnd_ != nullptr && ::GetFocus() == hwnd_;
}

void Win32Control::SetHint(const std::string& cp1251) {
  hint_ = cp1251;
  form_.Tooltips().Set(hwnd_, Wide(cp1251));
}

void Win32Control::SetBold(bool bold) {
  if (bold == bold_) return;
  bold_ = bold;
  ApplyFont();
}

void Win32Control::SetLinkStyle(bool link) {
  if (link == link_) return;
  link_ = link;
  ApplyFont();
}

void Win32Control::ApplyFont() {
  FontSet& fonts = form_.Fonts();
  const HFONT next = fonts.Acquire(bold_, link_);
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(next), TRUE);
  // Only now that the window has let go of it may the old font be deleted.
  fonts.Release(font_);
  font_ = next;
  if (autoSize_) FitToText();
}

void Win32Control::SetTextColor(ui::Color color) {
  color_ = color;
  colorSet_ = true;
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Control::SetTabOrder(int order) {
  tabOrder_ = order;
  form_.ArrangeZOrder();
}

void Win32Control::Repaint() {
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool Win32Control::Focusable() const {
  return IsFocusable(kind_);
}

void Win32Control::ClearItems() {
  ::SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

void Win32Control::AddItem(const std::string& cp1251) {
  ::SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(cp1251).c_str()));
}

int Win32Control::ItemCount() const {
  const LRESULT count = ::SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
  return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string Win32Control::Item(int index) const {
  const LRESULT length = ::SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (index < 0 || length == LB_ERR) throw std::out_of_range("list index out of bounds");
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return Narrow(text);
}

void Win32Control::SetSelectedIndex(int index) {
  const bool valid = index >= 0 && index < ItemCount();
  ::SendMessageW(hwnd_, LB_SETCURSEL, valid ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1),
                 0);
}

int Win32Control::SelectedIndex() const {
  const LRESULT selected = ::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void Win32Control::SetChecked(bool checked) {
  ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Control::Checked() const {
  return ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace win32
