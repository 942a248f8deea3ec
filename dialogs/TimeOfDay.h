#pragma once
// The time of day of a scheduled power-off, as the user types it.

#include <optional>
#include <string_view>

namespace dialogs {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// "hh:mm" or "hh:mm:ss" with one or two digits each, blanks around allowed; hour 0-23,
// minute and second 0-59. Nothing for any other text, the empty one included.
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

}  // namespace dialogs
