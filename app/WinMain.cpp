// The program entry: the single-copy rule, then the main window and its message loop.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "app/TForm1.h"
#include "dialogs/TConfigForm.h"
#include "dialogs/TTurnOffForm.h"
#include "dialogs/TUserForm.h"
#include "platform/sim/SimulatedPower.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32NotifyIcons.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32RemoteAccess.h"
#include "platform/win32/Win32SystemLibrary.h"
#include "platform/win32/Win32TextEditor.h"

namespace {

// BRUMELKA_SIMULATE names a folder for a power-off that leaves the machine running: tests and
// demonstrations under Wine, where the real one would end the Wine session.
std::optional<platform::NativePath> SimulationFolder() {
  const DWORD length = GetEnvironmentVariableW(L"BRUMELKA_SIMULATE", nullptr, 0);
  if (length <= 1) return std::nullopt;
  std::wstring folder(length, L'\0');
  folder.resize(GetEnvironmentVariableW(L"BRUMELKA_SIMULATE", folder.data(), length));
  return folder;
}

std::unique_ptr<platform::Power> MakePower(const std::optional<platform::NativePath>& simulation,
                                           std::function<void()> endProgram) {
  if (simulation)
    return std::make_unique<platform::SimulatedPower>(*simulation, std::move(endProgram));
  return std::make_unique<platform::Win32Power>();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  win32::RestrictDllSearch();

  // A running copy shows itself instead; this one leaves without a window or a file.
  if (HWND running = FindWindowA(TForm1::kWindowClass, nullptr)) {
    // Windows lets only the program the user works in bring a window to the front; this copy
    // is that program now and hands the right on, or the window would only flash.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    SendMessageA(running, TForm1::WM_ACTIVATEFORM, 0, 0);
    return 0;
  }

  win32::Win32Backend backend(instance);
  platform::Win32ProfileFiles profiles;
  platform::Win32Clock clock;
  platform::Win32TextEditor textEditor;
  platform::Win32NotifyIcons notifyIcons;
  const std::optional<platform::NativePath> simulation = SimulationFolder();
  platform::Win32RemoteAccess remoteAccess;
  // A simulated power-off ends the program as Windows would: the main window goes, taking
  // the tray icon with it, and the program leaves with exit code 0.
  TForm1* mainWindow = nullptr;
  const std::unique_ptr<platform::Power> power = MakePower(simulation, [&backend, &mainWindow] {
    backend.PostToUiThread([&mainWindow] {
      if (mainWindow != nullptr) mainWindow->Close();
    });
  });
  TForm1 form(backend,
              MainWindowServices{profiles, remoteAccess, clock, textEditor, notifyIcons, *power});
  mainWindow = &form;
  // Made when first shown: their windows would cost more start-up time than the main window's.
  std::optional<dialogs::TUserForm> userForm;
  std::optional<dialogs::TConfigForm> configForm;
  std::optional<dialogs::TTurnOffForm> turnOffForm;
  form.MakeUserForm = [&] { return &userForm.emplace(backend, form.LinkForDialogs()); };
  form.MakeConfigForm = [&] { return &configForm.emplace(backend, form.LinkForDialogs()); };
  form.MakeTurnOffForm = [&] { return &turnOffForm.emplace(backend, form.ScheduleForPowerOff()); };
  form.Show();
  return backend.RunMessageLoop();
}
