#pragma once
// The report's command line: [LOG] [--month YYYY-MM] [--csv] [--date-format PICTURE]
// [--time-format PICTURE] [--help].

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace report {

struct ReportOptions {
  std::optional<std::string> logName;  // Windows-1251
  std::optional<int> year;             // with `month`: only that month is shown
  std::optional<int> month;
  bool csv = false;
  bool help = false;
  std::optional<std::string> datePicture;
  std::optional<std::string> timePicture;
};

// The message (Windows-1251) says what is wrong with the command line.
class OptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `arguments` without the program's own name. Throws OptionError.
ReportOptions ParseOptions(const std::vector<std::string>& arguments);

// The usage line, Windows-1251, ending in a line end.
std::string UsageText();

}  // namespace report
