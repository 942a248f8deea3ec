#pragma once

#include <cstdint>
#include <string>

#include "platform/RemoteAccess.h"

namespace dial {

// The status-line text of a dial report: the service's text for an error, which always wins,
// else the state's own text, or nothing for a state without one.
std::string DialStatusText(platform::RemoteAccess& service, std::uint32_t state,
                           std::uint32_t error);

// The service's text for an error code, or our own when it has none.
std::string ErrorText(platform::RemoteAccess& service, std::uint32_t error);

}  // namespace dial
