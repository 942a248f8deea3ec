#include "data/TUsers.h"

#include <cstdio>
#include <cstring>

#include "platform/Files.h"
#include "platform/text/Cp1251.h"

namespace data {
namespace {

std::string Quoted(const std::string& fileName) {
  return "\"" + fileName + "\"";
}

// Writes every byte and makes sure they left the stdio buffer; false on any write error.
bool WriteAll(std::FILE* file, const void* bytes, std::size_t size) {
  return std::fwrite(bytes, 1, size, file) == size && std::fflush(file) == 0;
}

}  // namespace

void TUsers::AddUser(const std::string& name, const std::string& pass, const std::string& phone,
                     const std::string& login, const std::string& password) {
  if (count_ == MaxUsers) return;
  ++count_;
  UserRecord& slot = Slot(count_);
  slot.Phone.Assign(phone);
  slot.Name.Assign(name);
  slot.Pass.Assign(pass);
  slot.Login.Assign(login);
  slot.Password.Assign(password);
}

void TUsers::DeleteUser(int index) {
  if (index < 1 || index > count_ || Slot(index).Name.Length() == 0) return;
  Slot(index).Clear();
  for (int i = index; i < count_; ++i) Slot(i) = Slot(i + 1);
  --count_;
}

void TUsers::ClearUsers() {
  for (UserRecord& slot : slots_) slot.Clear();
  count_ = 0;
}

UserRecord TUsers::GetUser(int index) const {
  if (index < 1 || index > count_) return UserRecord{};
  return Slot(index);
}

UserRecord TUsers::FindUser(const std::string& name) const {
  const int index = IndexOfUser(name);
  return index == -1 ? UserRecord{} : Slot(index);
}

int TUsers::IndexOfUser(const std::string& name) const {
  for (int i = 1; i <= count_; ++i)
    if (Slot(i).Name.Value() == name) return i;
  return -1;
}

bool TUsers::LoadFromFile(const std::string& fileName) {
  if (!platform::FileExists(fileName)) return false;
  ClearUsers();
  std::FILE* file = platform::OpenFile(fileName, "rb");
  if (file == nullptr)
    throw UsersFileError(text::Cp("Не вдається відкрити файл користувачів ") + Quoted(fileName));

  // Records past the tenth have no slot and are left unread.
  int read = 0;
  unsigned char image[kUserRecordSize];
  while (read < MaxUsers && std::fread(image, 1, sizeof image, file) == sizeof image)
    std::memcpy(&slots_[static_cast<std::size_t>(read++)], image, sizeof image);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    ClearUsers();
    return false;
  }
  count_ = read;
  return read > 0;
}

bool TUsers::SaveToFile(const std::string& fileName) {
  // The records go to a file beside the target first, so that an interrupted or failed save
  // can't leave a half-written users file behind.
  const std::string temporary = fileName + ".tmp";
  std::FILE* file = platform::OpenFile(temporary, "wb");
  if (file == nullptr)
    throw UsersFileError(text::Cp("Не вдається створити файл користувачів ") + Quoted(fileName));

  bool written = true;
  for (int i = 1; i <= count_ && written; ++i) written = WriteAll(file, &Slot(i), kUserRecordSize);
  written = std::fclose(file) == 0 && written;
  if (!written) {
    platform::RemoveFile(temporary);
    return false;
  }
  if (!platform::MoveReplacing(temporary, fileName)) {
    platform::RemoveFile(temporary);
    throw UsersFileError(text::Cp("Не вдається створити файл користувачів ") + Quoted(fileName));
  }
  return true;
}

}  // namespace data
