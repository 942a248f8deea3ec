#pragma once

#include <windows.h>

#include "platform/RemoteAccess.h"

namespace platform {

// The Windows remote-access service, rasapi32, loaded at run time from the system folder only.
class Win32RemoteAccess : public RemoteAccess {
 public:
  // Answered by every call when the service's library can't be loaded.
  static constexpr std::uint32_t kServiceUnavailable = 711;

  Win32RemoteAccess();
  ~Win32RemoteAccess() override;
  Win32RemoteAccess(const Win32RemoteAccess&) = delete;
  Win32RemoteAccess& operator=(const Win32RemoteAccess&) = delete;

  std::uint32_t EnumEntries(RasEntryNames& buffer, std::uint32_t& byteCount,
                            std::uint32_t& entryCount) override;
  std::uint32_t GetEntryDialParams(RasDialParams& params, bool& passwordStored) override;
  std::uint32_t Dial(const RasDialParams& params, Notifier notifier,
                     std::uintptr_t& handle) override;
  std::uint32_t HangUp(std::uintptr_t handle) override;
  std::uint32_t GetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) override;

 private:
  HMODULE library_ = nullptr;
  FARPROC enumEntries_ = nullptr;
  FARPROC getEntryDialParams_ = nullptr;
  FARPROC dial_ = nullptr;
  FARPROC hangUp_ = nullptr;
  FARPROC getErrorString_ = nullptr;
};

}  // namespace platform
