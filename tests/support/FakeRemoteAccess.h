#pragma once
// A remote-access service that records every call and answers as a test sets it up.

#include <cstring>
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

  // What the phone book holds, and what the calls answer.
  std::vector<std::string> entries;
  std::uint32_t enumResult = 0;
  std::uint32_t dialParamsResult = 0;
  std::string storedPhone = "stored-phone", storedLogin = "stored-login",
              storedPassword = "stored-pass", storedCallback = "cb-123", storedDomain = "DOM";
  std::uint32_t dialResult = 0;
  std::uintptr_t handleToStore = 0x77;
  bool storeHandleOnRefusal = false;
  std::string errorText = "service error text";
  // Runs inside RasGetEntryDialParams, to change the window between the two calls.
  std::function<void()> duringDialParams;

  // What was asked.
  std::vector<std::string> dialParamsEntries;
  std::vector<DialCall> dials;
  std::vector<std::uintptr_t> hangUps;
  std::vector<std::uint32_t> errorTextsAsked;
  std::uint32_t lastErrorBufferSize = 0;
  Notifier lastNotifier = nullptr;

  std::uint32_t EnumEntries(platform::RasEntryNames& buffer, std::uint32_t& byteCount,
                            std::uint32_t& entryCount) override {
    firstRecordSize = buffer.GetSize();
    enumByteCount = byteCount;
    if (enumResult != 0) return enumResult;
    for (std::size_t i = 0; i < entries.size(); ++i) buffer.SetName(i, entries[i]);
    entryCount = static_cast<std::uint32_t>(entries.size());
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
    if (dialResult == 0 || storeHandleOnRefusal) handle = handleToStore;
    return dialResult;
  }

  std::uint32_t HangUp(std::uintptr_t handle) override {
    hangUps.push_back(handle);
    return 0;
  }

  std::uint32_t GetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) override {
    errorTextsAsked.push_back(error);
    lastErrorBufferSize = size;
    if (errorText.empty()) return 1;
    std::strncpy(buffer, errorText.c_str(), size - 1);
    return 0;
  }

  std::uint32_t firstRecordSize = 0;
  std::uint32_t enumByteCount = 0;
};

}  // namespace testing_support
