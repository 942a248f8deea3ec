#pragma once
// Powering the computer off: the shut-down right of the process's token, then the request.
// Each step is its own call, so that the caller decides what a failure stops.

#include <cstdint>
#include <string>

namespace platform {

// A privilege's locally unique id (LUID).
struct PrivilegeId {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
};

class Power {
 public:
  virtual ~Power() = default;

  // Opens the current process's access token; false on failure.
  virtual bool OpenProcessToken(std::uint32_t desiredAccess, std::uintptr_t& token) = 0;
  // Looks a privilege's id up on the local system; false on failure.
  virtual bool LookUpPrivilege(const std::string& name, PrivilegeId& id) = 0;
  // Sets the privilege's attributes in the token (AdjustTokenPrivileges, with room for the
  // previous state); false on failure.
  virtual bool AdjustPrivilege(std::uintptr_t token, const PrivilegeId& id,
                               std::uint32_t attributes) = 0;
  virtual void CloseToken(std::uintptr_t token) = 0;
  // ExitWindowsEx with these flags: the system ends the session, and this program with it.
  // The result is not reported; nothing follows a request that is refused.
  virtual void RequestShutdown(std::uint32_t flags) = 0;
};

}  // namespace platform
