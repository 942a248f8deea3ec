#pragma once
// A power-off that leaves the machine running: the request is written into "system.log" in
// the simulation folder, and the program is ended as the system would have ended it. The
// shut-down right is granted as an administrator's token grants it.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/NativePath.h"
#include "platform/Power.h"

namespace platform {

class SimulatedPower : public Power {
 public:
  static constexpr const char* kSystemLogName = "system.log";
  static constexpr const char* kShutdownPrivilege = "SeShutdownPrivilege";

  // `endProgram` runs after each request, standing in for the system ending the program.
  SimulatedPower(NativePath folder, std::function<void()> endProgram);

  bool OpenProcessToken(std::uint32_t desiredAccess, std::uintptr_t& token) override;
  bool LookUpPrivilege(const std::string& name, PrivilegeId& id) override;
  bool AdjustPrivilege(std::uintptr_t token, const PrivilegeId& id,
                       std::uint32_t attributes) override;
  void CloseToken(std::uintptr_t token) override;
  void RequestShutdown(std::uint32_t flags) override;

 private:
  NativePath folder_;
  std::function<void()> endProgram_;
};

}  // namespace platform
