// The power-off time is typed by the user. A time that is accepted must be a real time of day
// made only of digits, colons and blanks, and must read the same when written out again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/TimeOfDay.h"
#include "fuzz/FuzzFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fuzzing::Check;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto time = dialogs::ParseTimeOfDay(text);
  if (!time) return 0;

  Check(time->hour >= 0 && time->hour <= 23, "hour out of range");
  Check(time->minute >= 0 && time->minute <= 59, "minute out of range");
  Check(time->second >= 0 && time->second <= 59, "second out of range");
  Check(text.find_first_not_of("0123456789: ") == std::string_view::npos,
        "accepted a text with other characters");
  const std::size_t colons = static_cast<std::size_t>(std::count(text.begin(), text.end(), ':'));
  Check(colons == 1 || colons == 2, "accepted a text without one or two colons");

  const std::string written = std::to_string(time->hour) + ":" + std::to_string(time->minute) +
                              ":" + std::to_string(time->second);
  Check(dialogs::ParseTimeOfDay(written) == time, "a written time reads otherwise");
  return 0;
}
