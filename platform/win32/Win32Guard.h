#pragma once
// Window procedures are called by Windows, which knows nothing of C++ exceptions: whatever
// escapes past the event dispatch must stop here, at the callback boundary.

#include <windows.h>

namespace win32 {

template <class Work>
LRESULT Guarded(LRESULT onFault, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    ::OutputDebugStringW(L"Brumelka: a fault escaped a window procedure\n");
    return onFault;
  }
}

}  // namespace win32
