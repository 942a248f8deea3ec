#include "dial/PhoneBook.h"

namespace dial {

std::vector<std::string> ListPhoneBookEntries(platform::RemoteAccess& service) {
  std::vector<std::string> names;
  if (service.EnumEntries(names) != 0) names.clear();
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
