#include "platform/win32/Win32TextEditor.h"

#include <windows.h>

#include <string>

#include "platform/CommandLine.h"
#include "platform/win32/Win32Text.h"

namespace platform {
using win32::Narrow;
using win32::Wide;

void Win32TextEditor::Open(const std::string& fileNameCp1251) {
  wchar_t system[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::wstring editor = std::wstring(system, length) + L"\\notepad.exe";
  std::wstring commandLine = Wide(TextEditorCommandLine(Narrow(editor), fileNameCp1251));

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  PROCESS_INFORMATION process = {};
  // The editor isn't waited for, and a failure to start it isn't reported.
  if (CreateProcessW(editor.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                     NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace platform
