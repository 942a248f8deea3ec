#pragma once
// The connection log: one appended line per event of a user's time on line.

#include <functional>
#include <string>

#include "platform/Clock.h"

namespace data {

class TLog {
 public:
  // `reportFailure` is called with the message to show when an entry can't be written.
  TLog(platform::Clock& clock, std::function<void(const std::string&)> reportFailure);

  // Empty: logging is off.
  std::string FileName;

  // Appends "USER ACTION DATE о такій годині: TIME" and CR LF. Never fails to its caller.
  void AddLogEntry(const std::string& userName, const std::string& action);

 private:
  platform::Clock& clock_;
  std::function<void(const std::string&)> reportFailure_;
};

}  // namespace data
