#pragma once
// A power service that records every call and grants or refuses each step as a test says.
// It never powers anything off.

#include <functional>
#include <string>
#include <vector>

#include "platform/Power.h"

namespace testing_support {

class FakePower : public platform::Power {
 public:
  // What the calls answer.
  bool tokenOpens = true;
  bool privilegeFound = true;
  bool privilegeAdjusted = true;
  std::uintptr_t token = 0x70;
  platform::PrivilegeId privilegeId{19, 0};

  // What was asked, as "open 40", "lookup SeShutdownPrivilege", "adjust 112 19 2",
  // "close 112", "shutdown 12".
  std::vector<std::string> calls;
  // Runs at each call, before it answers, to see what the program had done by then.
  std::function<void(const std::string& call)> onCall;

  bool OpenProcessToken(std::uint32_t desiredAccess, std::uintptr_t& opened) override {
    Record("open " + std::to_string(desiredAccess));
    if (tokenOpens) opened = token;
    return tokenOpens;
  }
  bool LookUpPrivilege(const std::string& name, platform::PrivilegeId& id) override {
    Record("lookup " + name);
    if (privilegeFound) id = privilegeId;
    return privilegeFound;
  }
  bool AdjustPrivilege(std::uintptr_t adjusted, const platform::PrivilegeId& id,
                       std::uint32_t attributes) override {
    Record("adjust " + std::to_string(adjusted) + " " + std::to_string(id.lowPart) + " " +
           std::to_string(attributes));
    return privilegeAdjusted;
  }
  void CloseToken(std::uintptr_t closed) override { Record("close " + std::to_string(closed)); }
  void RequestShutdown(std::uint32_t flags) override {
    Record("shutdown " + std::to_string(flags));
  }

 private:
  void Record(const std::string& call) {
    if (onCall) onCall(call);
    calls.push_back(call);
  }
};

}  // namespace testing_support
