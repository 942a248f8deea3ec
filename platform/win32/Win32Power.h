#pragma once
// The shut-down right of this process's token and the request to the system.

#include "platform/Power.h"

namespace platform {

class Win32Power : public Power {
 public:
  bool OpenProcessToken(std::uint32_t desiredAccess, std::uintptr_t& token) override;
  bool LookUpPrivilege(const std::string& name, PrivilegeId& id) override;
  bool AdjustPrivilege(std::uintptr_t token, const PrivilegeId& id,
                       std::uint32_t attributes) override;
  void CloseToken(std::uintptr_t token) override;
  void RequestShutdown(std::uint32_t flags) override;
};

}  // namespace platform
