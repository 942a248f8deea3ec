#pragma once
// Runs the report on a log held in memory, handed over in pieces of a chosen size, and gives
// back what it printed as UTF-8.

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text/Cp1251.h"
#include "report/ReportRun.h"

namespace report_testing {

// Hands out `bytes` at most `piece` bytes at a time; fails once `failAt` bytes are out.
class MemoryLog : public report::LogSource {
 public:
  MemoryLog(std::string bytes, std::size_t piece, std::size_t failAt = std::string::npos)
      : bytes_(std::move(bytes)), piece_(piece), failAt_(failAt) {}

  bool Read(char* buffer, std::size_t size, std::size_t& got) override {
    if (at_ >= failAt_) return false;
    got = std::min({size, piece_, bytes_.size() - at_});
    std::copy_n(bytes_.data() + at_, got, buffer);
    at_ += got;
    return true;
  }

 private:
  std::string bytes_;
  std::size_t piece_;
  std::size_t failAt_;
  std::size_t at_ = 0;
};

// UTF-8 lines, each given CR LF, as Windows-1251 bytes.
inline std::string LogOf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += text::Utf8ToCp1251(line) + "\r\n";
  return bytes;
}

struct Printed {
  int exitCode = -1;
  std::string out;  // UTF-8
  std::string err;  // UTF-8
  std::string logOpened;
};

struct Reporter {
  std::string log;              // Windows-1251 bytes of "connects.log"
  std::size_t piece = 1 << 16;  // how much one read gives
  std::size_t failAt = std::string::npos;
  std::string datePicture = "dd.MM.yyyy";
  std::string timePicture = "H:mm:ss";

  Printed operator()(const std::vector<std::string>& argumentsUtf8) const {
    Printed printed;
    report::ReportSystem system;
    system.datePicture = datePicture;
    system.timePicture = timePicture;
    system.settingsLogName = [] { return std::string("connects.log"); };
    system.openLog = [this,
                      &printed](const std::string& name) -> std::unique_ptr<report::LogSource> {
      printed.logOpened = name;
      if (name != "connects.log") return nullptr;
      return std::make_unique<MemoryLog>(log, piece, failAt);
    };
    std::vector<std::string> arguments;
    for (const std::string& argument : argumentsUtf8)
      arguments.push_back(text::Utf8ToCp1251(argument));
    std::ostringstream out;
    std::ostringstream err;
    printed.exitCode = report::RunReport(arguments, system, out, err);
    printed.out = text::Cp1251ToUtf8(out.str());
    printed.err = text::Cp1251ToUtf8(err.str());
    return printed;
  }
};

// The CSV records without the header line.
inline std::vector<std::string> CsvRecords(const Printed& printed) {
  std::vector<std::string> records;
  std::istringstream lines(printed.out);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) records.push_back(line);
  return records;
}

}  // namespace report_testing
