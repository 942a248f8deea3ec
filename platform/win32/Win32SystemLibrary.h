#pragma once
// DLLs from the system folder only. File dialogs move the current directory, and a DLL of a
// system name planted there, or beside the program, must never be loaded instead.

#include <windows.h>

namespace win32 {

// Narrows the program's DLL search to the system folder. SetDefaultDllDirectories exists from
// Windows 8, and on Vista and 7 only with update KB2533623; without it the current directory
// is at least taken off the search.
void RestrictDllSearch();

// Loads `name` from the system folder, by the search flag where Windows has it and by its
// full path where it doesn't.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace win32
