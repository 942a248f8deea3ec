#pragma once
// One line of the connection log read back: "USER ACTION DATE о такій годині: TIME", the date
// and the time in the regional formats the log was written with.

#include <cstdint>
#include <optional>
#include <string_view>

#include "report/TimePicture.h"

namespace report {

enum class Action { kConnected, kDisconnected, kStillOnline, kPoweredOff };

// Seconds of local time counted from 1 January 1970; the log knows no time zone.
using LocalSeconds = std::int64_t;

LocalSeconds ToLocalSeconds(int year, int month, int day, int hour, int minute, int second);
// The year and month (1..12) of a moment.
void MonthOf(LocalSeconds moment, int& year, int& month);
// The first moment of the month after the one holding `moment`.
LocalSeconds StartOfNextMonth(LocalSeconds moment);

struct LogEvent {
  std::string_view user;  // Windows-1251, may be empty; points into the line
  Action action;
  LocalSeconds when;
};

class LogLineReader {
 public:
  LogLineReader(TimePicture date, TimePicture time);

  // Nothing for a line that isn't a log entry in these formats. No line end expected.
  std::optional<LogEvent> Read(std::string_view line) const;

 private:
  std::optional<LocalSeconds> Moment(std::string_view date, std::string_view time) const;

  TimePicture date_;
  TimePicture time_;
};

}  // namespace report
