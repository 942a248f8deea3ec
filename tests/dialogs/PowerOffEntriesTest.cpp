// What the power-off dialog reads as minutes and as a time of day.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialogs/PowerOffDelay.h"
#include "dialogs/TimeOfDay.h"

using dialogs::TimeOfDay;

TEST(TimeOfDayTest, HoursAndMinutesWithOptionalSecondsAreRead) {
  const std::pair<const char*, TimeOfDay> accepted[] = {
      {"14:30", {14, 30, 0}},  {"0:00", {0, 0, 0}},        {"23:59", {23, 59, 0}},
      {"9:05", {9, 5, 0}},     {"7:5", {7, 5, 0}},         {"14:30:45", {14, 30, 45}},
      {"07:05:09", {7, 5, 9}}, {"23:59:59", {23, 59, 59}}, {"  12:00 ", {12, 0, 0}},
  };
  for (const auto& [text, time] : accepted) {
    const std::optional<TimeOfDay> read = dialogs::ParseTimeOfDay(text);
    ASSERT_TRUE(read.has_value()) << text;
    EXPECT_EQ(*read, time) << text;
  }
}

TEST(TimeOfDayTest, AnythingElseIsRefused) {
  for (const char* text :
       {"",       " ",      "ab:cd", "25:00",  "24:00",  "12:60",       "12:30:60",
        "12",     "12:",    ":30",   "12::30", "12:30:", "12:30:45:10", "123:00",
        "12:300", "1 2:30", "14.30", "-1:30",  "+1:30",  "8:3O",        "12:30 PM"})
    EXPECT_FALSE(dialogs::ParseTimeOfDay(text).has_value()) << "'" << text << "'";
}

TEST(PowerOffDelayTest, WholeMinutesBecomeMillisecondsWithinTheTimersRange) {
  const std::pair<const char*, std::uint32_t> accepted[] = {
      {"1", 60000u}, {"+5", 300000u}, {" 7 ", 420000u}, {"35791", 2147460000u}};
  for (const auto& [text, milliseconds] : accepted)
    EXPECT_EQ(dialogs::PowerOffDelayMilliseconds(text), milliseconds) << text;
}

TEST(PowerOffDelayTest, NoNumberNoDelayOrTooLongADelayIsRefused) {
  for (const char* text : {"", "abc", "1.5", "1e3", "0x10", "5 min", "0", "-0", "-1", "-2147483648",
                           "35792", "2147483647", "2147483648", "99999999999"})
    EXPECT_FALSE(dialogs::PowerOffDelayMilliseconds(text).has_value()) << "'" << text << "'";
}
