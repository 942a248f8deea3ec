// Numbers come from the settings file and from what the user types. Each parser is held to a
// plain reading of the rule: blanks around, one optional sign, decimal digits, 32-bit range.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/ProfileValues.h"
#include "dialogs/PowerOffDelay.h"
#include "dialogs/StrToInt.h"
#include "fuzz/FuzzFolder.h"

namespace {

// The rule spelled out digit by digit, independent of the library conversions the parsers use.
std::optional<std::int32_t> Reference(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{INT32_MAX} + 1) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fuzzing::Check;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> expected = Reference(text);

  Check(data::ParseInteger(text) == expected, "ParseInteger differs from the rule");

  const std::optional<bool> boolean = data::ParseBoolean(text);
  Check(boolean.has_value() == expected.has_value(), "ParseBoolean takes other texts");
  if (boolean) Check(*boolean == (*expected != 0), "ParseBoolean gives the wrong truth");

  try {
    const std::int32_t value = dialogs::StrToInt(text);
    Check(expected == value, "StrToInt accepted a non-number or read it otherwise");
  } catch (const dialogs::ConversionError&) {
    Check(!expected.has_value(), "StrToInt refused a number");
  }

  const std::optional<std::uint32_t> delay = dialogs::PowerOffDelayMilliseconds(text);
  const bool fits = expected && *expected > 0 &&
                    std::int64_t{*expected} * 60000 <= std::int64_t{dialogs::kLongestTimerInterval};
  Check(delay.has_value() == fits, "the power-off delay takes the wrong minutes");
  if (delay) Check(*delay == static_cast<std::uint32_t>(*expected) * 60000u, "wrong delay");
  return 0;
}
