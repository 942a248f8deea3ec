#include "dialogs/TimeOfDay.h"

#include <array>
#include <cstddef>

namespace dialogs {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// One or two digits; nothing for anything else.
std::optional<int> TimePart(std::string_view part) {
  if (part.empty() || part.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text) {
  text = TrimBlanks(text);
  std::array<int, 3> parts{};
  std::size_t count = 0;
  for (;;) {
    const std::size_t colon = text.find(':');
    const auto part = TimePart(text.substr(0, colon));
    if (!part || count == parts.size()) return std::nullopt;
    parts[count++] = *part;
    if (colon == std::string_view::npos) break;
    text.remove_prefix(colon + 1);
  }
  if (count < 2) return std::nullopt;
  const TimeOfDay time{parts[0], parts[1], parts[2]};
  if (time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
  return time;
}

}  // namespace dialogs
