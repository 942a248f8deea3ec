#pragma once

#include <string>
#include <vector>

#include "platform/RemoteAccess.h"

namespace dial {

// The phone-book entries in the service's order; empty when the listing fails.
std::vector<std::string> ListPhoneBookEntries(platform::RemoteAccess& service);

// The dial record for an entry with the texts of the three fields, written in the order the
// service is given them: entry, password, user name, phone number.
void WriteDialFields(platform::RasDialParams& params, const std::string& password,
                     const std::string& userName, const std::string& phone);

}  // namespace dial
