#include "dialogs/PowerOffDelay.h"

#include "data/ProfileValues.h"

namespace dialogs {

std::optional<std::uint32_t> PowerOffDelayMilliseconds(std::string_view minutes) {
  const std::optional<std::int32_t> count = data::ParseInteger(minutes);
  if (!count || *count <= 0) return std::nullopt;
  const std::int64_t milliseconds = std::int64_t{*count} * 60000;
  if (milliseconds > kLongestTimerInterval) return std::nullopt;
  return static_cast<std::uint32_t>(milliseconds);
}

}  // namespace dialogs
