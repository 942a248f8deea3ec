#pragma once
// The windows behind the portable forms and controls, for tests that look at them the way
// screen readers and other programs do.

#include <windows.h>

#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/win32/Win32Control.h"

namespace win32test {

inline HWND WindowOf(const ui::Control& control) {
  return dynamic_cast<const win32::Win32Control&>(control.Peer()).Handle();
}

inline HWND WindowOf(const ui::Form& form) {
  return reinterpret_cast<HWND>(form.Peer().NativeHandle());
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

inline std::wstring WideTextOf(HWND window) {
  wchar_t text[512] = {};
  const int length = ::GetWindowTextW(window, text, 512);
  return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

inline LONG StyleOf(HWND window) {
  return ::GetWindowLongW(window, GWL_STYLE);
}
inline LONG ExStyleOf(HWND window) {
  return ::GetWindowLongW(window, GWL_EXSTYLE);
}

// The font a window paints with, as the window itself reports it.
inline LOGFONTW FontOf(HWND window) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  ::GetObjectW(handle, sizeof(font), &font);
  return font;
}

}  // namespace win32test
