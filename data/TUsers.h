#pragma once
// The table of the people who share the computer, and its file of 94-byte records.

#include <array>
#include <stdexcept>
#include <string>

#include "data/UserRecord.h"

namespace data {

// The users file exists but can't be opened, or can't be created for a save.
class UsersFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TUsers {
 public:
  static constexpr int MaxUsers = 10;

  // A full table stores nothing, without notice.
  void AddUser(const std::string& name, const std::string& pass, const std::string& phone,
               const std::string& login, const std::string& password);
  // Nothing happens for a slot outside 1..Count or a record with an empty name.
  void DeleteUser(int index);
  void ClearUsers();
  // An empty record for a slot outside 1..Count.
  UserRecord GetUser(int index) const;
  // Exact, case-sensitive byte comparison; a miss gives a record with an empty Name.
  UserRecord FindUser(const std::string& name) const;
  int IndexOfUser(const std::string& name) const;  // -1 for a miss
  int Count() const { return count_; }

  // True when at least one record was read. A missing file leaves the table alone; a file
  // that exists but can't be opened throws UsersFileError and leaves the table empty.
  bool LoadFromFile(const std::string& fileName);
  // True when every record was written. Throws UsersFileError when the file can't be created;
  // a failed save leaves any earlier file of that name as it was.
  bool SaveToFile(const std::string& fileName);

 private:
  UserRecord& Slot(int index) { return slots_[static_cast<std::size_t>(index - 1)]; }
  const UserRecord& Slot(int index) const { return slots_[static_cast<std::size_t>(index - 1)]; }

  std::array<UserRecord, MaxUsers> slots_{};
  int count_ = 0;
};

}  // namespace data
