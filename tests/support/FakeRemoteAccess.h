#pragma once
// A remote-access service that records every call and answers as a test sets it up. Like the
// real one it keeps a connection, refused or not, until it is hung up, and (with
// releaseAtHangUp cleared) for as long after as the test wants.

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/RemoteAccess.h"

namespace testing_support {

class FakeRemoteAccess : public platform::RemoteAccess {
 public:
  struct DialCall {
    std::string entry, phone, userName, password, callback, domain;
    std::uint32_t size;
    std::uintptr_t handleBefore;
  };
  struct Status {
    std::uint32_t state = 0;
    std::uint32_t error = 0;
  };

  // What the phone book holds, and what the calls answer.
  std::vector<std::string> entries;
  std::uint32_t enumResult = 0;
  std::uint32_t dialParamsResult = 0;
  std::string storedPhone = "stored-phone", storedLogin = "stored-login",
              storedPassword = "stored-pass", storedCallback = "cb-123", storedDomain = "DOM";
  std::uint32_t dialResult = 0;
  std::uintptr_t handleToStore = 0x77;
  bool storeHandleOnRefusal = false;
  bool releaseAtHangUp = true;
  std::string errorText = "service error text";
  // Runs inside RasGetEntryDialParams, to change the window between the two calls.
  std::function<void()> duringDialParams;

  // The connections the service knows, by handle.
  std::map<std::uintptr_t, Status> connections;

  // What was asked.
  std::vector<std::string> dialParamsEntries;
  std::vector<DialCall> dials;
  std::vector<std::uintptr_t> hangUps;
  std::vector<std::uint32_t> errorTextsAsked;
  Notifier lastNotifier = nullptr;

  // The service's side: a report of the last dial, a line that drops, a port let go.
  void Report(std::uint32_t state, std::uint32_t error = 0) {
    lastNotifier(handleToStore, state, error);
  }
  void Drop(std::uint32_t error) {
    connections[handleToStore] = {platform::kRasDisconnected, error};
  }
  void Release(std::uintptr_t handle) { connections.erase(handle); }

  std::uint32_t EnumEntries(std::vector<std::string>& names) override {
    if (enumResult != 0) return enumResult;
    names = entries;
    return 0;
  }

  std::uint32_t GetEntryDialParams(platform::RasDialParams& params, bool& passwordStored) override {
    dialParamsEntries.push_back(params.EntryName());
    if (duringDialParams) duringDialParams();
    if (dialParamsResult != 0) return dialParamsResult;
    params.SetSize(0);
    params.SetPhoneNumber(storedPhone);
    params.SetUserName(storedLogin);
    params.SetPassword(storedPassword);
    params.SetCallbackNumber(storedCallback);
    params.SetDomain(storedDomain);
    passwordStored = true;
    return 0;
  }

  std::uint32_t Dial(const platform::RasDialParams& params, Notifier notifier,
                     std::uintptr_t& handle) override {
    dials.push_back({params.EntryName(), params.PhoneNumber(), params.UserName(), params.Password(),
                     params.CallbackNumber(), params.Domain(), params.GetSize(), handle});
    lastNotifier = notifier;
    if (dialResult == 0 || storeHandleOnRefusal) {
      handle = handleToStore;
      connections[handle] = {};
    }
    return dialResult;
  }

  std::uint32_t HangUp(std::uintptr_t handle) override {
    hangUps.push_back(handle);
    const auto found = connections.find(handle);
    if (found == connections.end()) return platform::kRasInvalidHandle;
    found->second = {platform::kRasDisconnected, 0};
    if (releaseAtHangUp) connections.erase(found);
    return 0;
  }

  std::uint32_t GetConnectStatus(std::uintptr_t handle, std::uint32_t& state,
                                 std::uint32_t& error) override {
    const auto found = connections.find(handle);
    if (found == connections.end()) return platform::kRasInvalidHandle;
    state = found->second.state;
    error = found->second.error;
    return 0;
  }

  std::uint32_t GetErrorString(std::uint32_t error, std::string& text) override {
    errorTextsAsked.push_back(error);
    if (errorText.empty()) return 87;
    text = errorText;
    return 0;
  }
};

}  // namespace testing_support
