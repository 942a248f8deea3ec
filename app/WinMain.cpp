// The program entry: the single-copy rule, then the main window and its message loop.

#include <windows.h>

#include <filesystem>
#include <memory>

#include "app/TForm1.h"
#include "dialogs/TConfigForm.h"
#include "dialogs/TUserForm.h"
#include "platform/sim/SimulatedRemoteAccess.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32RemoteAccess.h"
#include "platform/win32/Win32TextEditor.h"

namespace {

// BRUMELKA_SIMULATE names the folder of a simulated system, for machines without the
// remote-access service (Wine) and for demonstrations.
std::unique_ptr<platform::RemoteAccess> MakeRemoteAccess() {
  const DWORD length = GetEnvironmentVariableW(L"BRUMELKA_SIMULATE", nullptr, 0);
  if (length > 1) {
    std::wstring folder(length, L'\0');
    folder.resize(GetEnvironmentVariableW(L"BRUMELKA_SIMULATE", folder.data(), length));
    return std::make_unique<platform::SimulatedRemoteAccess>(std::filesystem::path(folder));
  }
  return std::make_unique<platform::Win32RemoteAccess>();
}

}  // namespace

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
  platform::Win32Clock clock;
  platform::Win32TextEditor textEditor;
  const std::unique_ptr<platform::RemoteAccess> remoteAccess = MakeRemoteAccess();
  TForm1 form(backend, MainWindowServices{profiles, *remoteAccess, clock, textEditor});
  dialogs::TUserForm userForm(backend, form.LinkForDialogs());
  dialogs::TConfigForm configForm(backend, form.LinkForDialogs());
  form.UserForm = &userForm;
  form.ConfigForm = &configForm;
  form.Show();
  return backend.RunMessageLoop();
}
