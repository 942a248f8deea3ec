#pragma once
// Which standard window class and styles stand for each kind of control.

#include <windows.h>

#include "platform/ui/Peers.h"

namespace win32 {

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind WindowKindOf(ui::ControlKind kind);

// The kinds that take the focus when clicked and are stops of the Tab key.
bool IsFocusable(ui::ControlKind kind);

}  // namespace win32
