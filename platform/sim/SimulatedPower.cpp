#include "platform/sim/SimulatedPower.h"

#include <cstdio>

namespace platform {
namespace {

constexpr std::uintptr_t kToken = 0x5150;
// The id Windows gives the shut-down privilege.
constexpr PrivilegeId kShutdownId{19, 0};

}  // namespace

SimulatedPower::SimulatedPower(NativePath folder, std::function<void()> endProgram)
    : folder_(std::move(folder)), endProgram_(std::move(endProgram)) {}

bool SimulatedPower::OpenProcessToken(std::uint32_t /*desiredAccess*/, std::uintptr_t& token) {
  token = kToken;
  return true;
}

bool SimulatedPower::LookUpPrivilege(const std::string& name, PrivilegeId& id) {
  if (name != kShutdownPrivilege) return false;
  id = kShutdownId;
  return true;
}

bool SimulatedPower::AdjustPrivilege(std::uintptr_t token, const PrivilegeId& id,
                                     std::uint32_t /*attributes*/) {
  return token == kToken && id.lowPart == kShutdownId.lowPart &&
         id.highPart == kShutdownId.highPart;
}

void SimulatedPower::CloseToken(std::uintptr_t /*token*/) {}

void SimulatedPower::RequestShutdown(std::uint32_t flags) {
  if (std::FILE* log = OpenNativeFile(JoinPath(folder_, kSystemLogName), "ab")) {
    std::fprintf(log, "power-off requested, flags %lu\r\n", static_cast<unsigned long>(flags));
    std::fclose(log);
  }
  if (endProgram_) endProgram_();
}

}  // namespace platform
