#pragma once
// The whole report: command line in, table out. Everything system-specific comes in from the
// program's entry, so the same run is tested natively.

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "report/LogSource.h"

namespace report {

constexpr int kExitDone = 0;
constexpr int kExitLogUnreadable = 1;
constexpr int kExitUsage = 2;

struct ReportSystem {
  // The regional formats the log was written with (Windows pictures), Windows-1251.
  std::string datePicture;
  std::string timePicture;
  std::string amDesignator = "AM";
  std::string pmDesignator = "PM";
  // The log named by the settings file, for a command line that names none.
  std::function<std::string()> settingsLogName;
  // Opens the log for reading only; nullptr when it can't be opened.
  std::function<std::unique_ptr<LogSource>(const std::string& name)> openLog;
};

// `arguments` without the program's name. `out` gets the report, `err` the complaints; both
// Windows-1251. The result is the exit code.
int RunReport(const std::vector<std::string>& arguments, const ReportSystem& system,
              std::ostream& out, std::ostream& err);

}  // namespace report
