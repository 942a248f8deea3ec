#include "dial/PhoneBook.h"

#include <memory>

namespace dial {

std::vector<std::string> ListPhoneBookEntries(platform::RemoteAccess& service) {
  auto buffer = std::make_unique<platform::RasEntryNames>();
  buffer->SetSize(platform::RasEntryNames::kRecordSize);
  std::uint32_t byteCount = platform::RasEntryNames::kSize;
  std::uint32_t entryCount = 0;
  std::vector<std::string> names;
  if (service.EnumEntries(*buffer, byteCount, entryCount) != 0) return names;
  const std::size_t count = std::min<std::size_t>(entryCount, platform::RasEntryNames::kCapacity);
  for (std::size_t i = 0; i < count; ++i) names.push_back(buffer->Name(i));
  return names;
}

void WriteDialFields(platform::RasDialParams& params, const std::string& password,
                     const std::string& userName, const std::string& phone) {
  params.SetSize(platform::RasDialParams::kSize);
  params.SetPassword(password);
  params.SetUserName(userName);
  params.SetPhoneNumber(phone);
}

}  // namespace dial
