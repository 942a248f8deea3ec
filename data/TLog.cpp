#include "data/TLog.h"

#include <cstdio>

#include "platform/Files.h"
#include "platform/text/Cp1251.h"

namespace data {

TLog::TLog(platform::Clock& clock, std::function<void(const std::string&)> reportFailure)
    : clock_(clock), reportFailure_(std::move(reportFailure)) {}

void TLog::AddLogEntry(const std::string& userName, const std::string& action) {
  if (FileName.empty()) return;
  // Opened for appending only: the cost of an entry doesn't grow with the log.
  std::FILE* file = platform::OpenFile(FileName, "ab");
  bool written = false;
  if (file != nullptr) {
    const std::string date = clock_.ShortDate(clock_.Now());
    const std::string time = clock_.LongTime(clock_.Now());
    const std::string line =
        userName + " " + action + " " + date + text::Cp(" о такій годині: ") + time + "\r\n";
    written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    written = std::fclose(file) == 0 && written;
  }
  if (!written && reportFailure_) reportFailure_(text::Cp("Помилка логування."));
}

}  // namespace data
