#include "platform/win32/Win32Power.h"

#include <windows.h>

#include "platform/win32/Win32Text.h"

namespace platform {

bool Win32Power::OpenProcessToken(std::uint32_t desiredAccess, std::uintptr_t& token) {
  HANDLE opened = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), desiredAccess, &opened)) return false;
  token = reinterpret_cast<std::uintptr_t>(opened);
  return true;
}

bool Win32Power::LookUpPrivilege(const std::string& name, PrivilegeId& id) {
  LUID luid{};
  if (!::LookupPrivilegeValueW(nullptr, win32::Wide(name).c_str(), &luid)) return false;
  id = {luid.LowPart, luid.HighPart};
  return true;
}

bool Win32Power::AdjustPrivilege(std::uintptr_t token, const PrivilegeId& id,
                                 std::uint32_t attributes) {
  TOKEN_PRIVILEGES state{};
  state.PrivilegeCount = 1;
  state.Privileges[0].Luid = {id.lowPart, id.highPart};
  state.Privileges[0].Attributes = attributes;
  // Room for the one privilege's earlier state: 16 bytes.
  TOKEN_PRIVILEGES previous{};
  DWORD previousLength = 0;
  return ::AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &state, sizeof previous,
                                 &previous, &previousLength) != FALSE;
}

void Win32Power::CloseToken(std::uintptr_t token) {
  ::CloseHandle(reinterpret_cast<HANDLE>(token));
}

void Win32Power::RequestShutdown(std::uint32_t flags) {
  ::ExitWindowsEx(flags, 0);
}

}  // namespace platform
