#pragma once
// The local clock and the user's regional formats for a date and a time of day.

#include <string>

namespace platform {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  virtual LocalTime Now() = 0;
  // Windows-1251 text in the user's short date format.
  virtual std::string ShortDate(const LocalTime& time) = 0;
  // Windows-1251 text in the user's long time format.
  virtual std::string LongTime(const LocalTime& time) = 0;
};

}  // namespace platform
