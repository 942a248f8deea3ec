#pragma once
// Integers and booleans of the settings file travel as text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace data {

// Optionally signed decimal text with optional surrounding blanks; nothing for any other text
// and for values outside the 32-bit range.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// A boolean is an integer: 0 is false and every other integer is true.
std::optional<bool> ParseBoolean(std::string_view text);

inline std::string FormatBoolean(bool value) {
  return value ? "1" : "0";
}

}  // namespace data
