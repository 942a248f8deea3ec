#include "data/ProfileValues.h"

#include <charconv>

#include "platform/text/Blanks.h"

namespace data {

using text::TrimBlanks;

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  text = TrimBlanks(text);
  // from_chars takes a minus but not a plus; "+-5" must still be refused.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<bool> ParseBoolean(std::string_view text) {
  const std::optional<std::int32_t> value = ParseInteger(text);
  if (!value) return std::nullopt;
  return *value != 0;
}

}  // namespace data
