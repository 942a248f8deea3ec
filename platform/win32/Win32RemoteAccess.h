#pragma once

#include <windows.h>

#include "platform/RemoteAccess.h"

namespace platform {

// The Windows remote-access service, rasapi32, loaded at run time from the system folder only.
// Its wide calls are used, so that entry names and error texts keep their Cyrillic whatever
// the system's ANSI code page.
class Win32RemoteAccess : public RemoteAccess {
 public:
  // Answered by every call when the service's library can't be loaded.
  static constexpr std::uint32_t kServiceUnavailable = 711;

  Win32RemoteAccess();
  ~Win32RemoteAccess() override;
  Win32RemoteAccess(const Win32RemoteAccess&) = delete;
  Win32RemoteAccess& operator=(const Win32RemoteAccess&) = delete;

  std::uint32_t EnumEntries(std::vector<std::string>& names) override;
  std::uint32_t GetEntryDialParams(RasDialParams& params, bool& passwordStored) override;
  std::uint32_t Dial(const RasDialParams& params, Notifier notifier,
                     std::uintptr_t& handle) override;
  std::uint32_t HangUp(std::uintptr_t handle) override;
  std::uint32_t GetConnectStatus(std::uintptr_t handle, std::uint32_t& state,
                                 std::uint32_t& error) override;
  std::uint32_t GetErrorString(std::uint32_t error, std::string& text) override;

 private:
  HMODULE library_ = nullptr;
  FARPROC enumEntries_ = nullptr;
  FARPROC getEntryDialParams_ = nullptr;
  FARPROC dial_ = nullptr;
  FARPROC hangUp_ = nullptr;
  FARPROC getConnectStatus_ = nullptr;
  FARPROC getErrorString_ = nullptr;
};

}  // namespace platform
