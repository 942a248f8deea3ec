#pragma once
// The delay of a scheduled power-off, typed in whole minutes.

#include <cstdint>
#include <optional>
#include <string_view>

namespace dialogs {

// The longest interval a window timer keeps (USER_TIMER_MAXIMUM); Windows would shorten a
// longer one without a word.
constexpr std::uint32_t kLongestTimerInterval = 0x7FFFFFFF;

// The timer interval in milliseconds for an optionally signed decimal number of minutes.
// Nothing for a text that is no such number, for 0 or fewer minutes (the timer would never
// fire, or at once) and for a delay beyond the timer's range.
std::optional<std::uint32_t> PowerOffDelayMilliseconds(std::string_view minutes);

}  // namespace dialogs
