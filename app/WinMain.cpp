// The program entry: the single-copy rule, then the main window and its message loop.

#include <windows.h>

#include "app/TForm1.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32ProfileFiles.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // File dialogs move the current directory; DLLs must never be picked up from there.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

  // A running copy shows itself instead; this one leaves without a window or a file.
  if (HWND running = FindWindowA(TForm1::kWindowClass, nullptr)) {
    SendMessageA(running, TForm1::WM_ACTIVATEFORM, 0, 0);
    return 0;
  }

  win32::Win32Backend backend(instance);
  platform::Win32ProfileFiles profiles;
  TForm1 form(backend, MainWindowServices{profiles});
  form.Show();
  return backend.RunMessageLoop();
}
