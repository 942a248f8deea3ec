#include "platform/win32/Win32Hints.h"

#include <commctrl.h>

#include "platform/win32/Win32Dpi.h"

namespace win32 {
namespace {

TTTOOLINFOW ToolOf(HWND form, HWND control) {
  TTTOOLINFOW tool{};
  // The size without the trailing reserved field, which the common controls of version 5
  // reject.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

Hints::~Hints() {
  if (tooltip_ != nullptr && ::IsWindow(tooltip_)) ::DestroyWindow(tooltip_);
}

bool Hints::EnsureWindow() {
  if (tooltip_ != nullptr) return true;
  tooltip_ = ::CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form_, nullptr,
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(form_, GWLP_HINSTANCE)), nullptr);
  if (tooltip_ == nullptr) return false;
  // Long hints wrap instead of running off the screen.
  ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ToDevice(400));
  return true;
}

void Hints::AddTool(HWND control, const std::wstring& text) {
  TTTOOLINFOW tool = ToolOf(form_, control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  if (tools_.count(control) != 0) {
    ::SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  } else if (::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0) {
    tools_.insert(control);
  }
}

void Hints::Set(HWND control, const std::wstring& text) {
  if (control == nullptr) return;
  if (text.empty()) {
    Remove(control);
    return;
  }
  texts_[control] = text;
  if (tooltip_ != nullptr) AddTool(control, text);
}

void Hints::Remove(HWND control) {
  if (texts_.erase(control) == 0) return;
  if (tools_.erase(control) == 0 || tooltip_ == nullptr) return;
  TTTOOLINFOW tool = ToolOf(form_, control);
  ::SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Hints::MouseMoved(HWND control, WPARAM wParam, LPARAM lParam) {
  if (tooltip_ != nullptr || texts_.empty() || !EnsureWindow()) return;
  for (const auto& [tool, text] : texts_) AddTool(tool, text);
  MSG move{control, WM_MOUSEMOVE, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
  ::GetCursorPos(&move.pt);
  ::SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

}  // namespace win32
