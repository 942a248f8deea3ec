#include "platform/win32/Win32SystemLibrary.h"

#include <string>

namespace win32 {
namespace {

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

// The same update brought the function and the LOAD_LIBRARY_SEARCH_* flags of LoadLibraryEx.
SetDefaultDllDirectoriesFn SetDefaultDllDirectoriesOrNone() {
  static const auto function =
      reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(
          ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  return function;
}

}  // namespace

void RestrictDllSearch() {
  if (const SetDefaultDllDirectoriesFn restrict = SetDefaultDllDirectoriesOrNone())
    restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
  else
    ::SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (SetDefaultDllDirectoriesOrNone() != nullptr)
    return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  wchar_t folder[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L'\\' + name;
  // The DLL's own dependencies are then looked for in its folder first.
  return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace win32
