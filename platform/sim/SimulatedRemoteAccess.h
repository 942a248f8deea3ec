#pragma once
// A remote-access service of our own, for machines without one (Wine), demos and tests.
// Its phone book is "phonebook.ini" in a folder: one section per entry, in file order, with
// the optional keys Phone, Login, Password (stored dial parameters), AcceptLogin and
// AcceptPassword (other credentials fail with 691 after the authentication stage), Refuse=N
// (the dial is refused with N), Fail=N (accepted, then error N at the authentication stage),
// StepMs=N (pause between stages, 300 by default), DropAfterMs=N (the line drops N ms after
// connecting) and Burst=N (N more reports right after the first, without pauses, going round
// the stages 0 to 4 from 1 on: a load for seeing how the program keeps up). Progress is
// reported on a thread of its own, as the real service does.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/NativePath.h"
#include "platform/RemoteAccess.h"

namespace platform {

class SimulatedRemoteAccess : public RemoteAccess {
 public:
  static constexpr const char* kPhoneBookName = "phonebook.ini";
  static constexpr std::uint32_t kCannotOpenPhoneBook = 621;
  static constexpr std::uint32_t kInvalidHandle = 6;

  explicit SimulatedRemoteAccess(NativePath folder);
  ~SimulatedRemoteAccess() override;

  std::uint32_t EnumEntries(RasEntryNames& buffer, std::uint32_t& byteCount,
                            std::uint32_t& entryCount) override;
  std::uint32_t GetEntryDialParams(RasDialParams& params, bool& passwordStored) override;
  std::uint32_t Dial(const RasDialParams& params, Notifier notifier,
                     std::uintptr_t& handle) override;
  std::uint32_t HangUp(std::uintptr_t handle) override;
  std::uint32_t GetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) override;

 private:
  struct Entry {
    std::string name;
    std::map<std::string, std::string> keys;  // names in lower case
    std::optional<std::string> Key(const std::string& lowerName) const;
    std::optional<std::uint32_t> Number(const std::string& lowerName) const;
  };
  class DialRun;

  // Nothing when the phone book can't be read.
  std::optional<std::vector<Entry>> ReadPhoneBook() const;
  std::optional<Entry> FindEntry(const std::string& name) const;

  NativePath folder_;
  std::mutex mutex_;
  std::map<std::uintptr_t, std::unique_ptr<DialRun>> runs_;
  std::uintptr_t nextHandle_ = 0x5100;
};

}  // namespace platform
