#include "report/ReportOutput.h"

#include <algorithm>
#include <cstdio>

#include "platform/text/Cp1251.h"

namespace report {
namespace {

const std::string kMonthHeader = text::Cp("Місяць");
const std::string kUserHeader = text::Cp("Користувач");
const std::string kSessionsHeader = text::Cp("Сеансів");
const std::string kOnLineHeader = text::Cp("Час на лінії");
const std::string kLongestHeader = text::Cp("Найдовший сеанс");
const std::string kOpenEndedHeader = text::Cp("Без кінця");
const std::string kNoName = text::Cp("(без імені)");
const std::string kNoSessions = text::Cp("Сеансів немає.");

std::string MonthText(const MonthlyUsage& row) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d", row.year, row.month);
  return buffer;
}

// Windows-1251 has one byte per character, so bytes measure the width.
std::string PadRight(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string CsvField(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

std::string FormatDuration(std::int64_t seconds) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return buffer;
}

void WriteText(const std::vector<MonthlyUsage>& rows, std::ostream& out) {
  if (rows.empty()) {
    out << kNoSessions << '\n';
    return;
  }
  std::size_t userWidth = kUserHeader.size();
  for (const MonthlyUsage& row : rows)
    userWidth = std::max(userWidth, row.user.empty() ? kNoName.size() : row.user.size());
  const std::size_t monthWidth = std::max<std::size_t>(kMonthHeader.size(), 7);
  out << PadRight(kMonthHeader, monthWidth) << "  " << PadRight(kUserHeader, userWidth) << "  "
      << kSessionsHeader << "  " << kOnLineHeader << "  " << kLongestHeader << "  "
      << kOpenEndedHeader << '\n';
  for (const MonthlyUsage& row : rows) {
    out << PadRight(MonthText(row), monthWidth) << "  "
        << PadRight(row.user.empty() ? kNoName : row.user, userWidth) << "  "
        << PadLeft(std::to_string(row.sessions), kSessionsHeader.size()) << "  "
        << PadLeft(FormatDuration(row.secondsOnLine), kOnLineHeader.size()) << "  "
        << PadLeft(FormatDuration(row.longestSeconds), kLongestHeader.size()) << "  "
        << PadLeft(std::to_string(row.openEnded), kOpenEndedHeader.size()) << '\n';
  }
}

void WriteCsv(const std::vector<MonthlyUsage>& rows, std::ostream& out) {
  out << CsvField(kMonthHeader) << ',' << CsvField(kUserHeader) << ',' << CsvField(kSessionsHeader)
      << ',' << CsvField(kOnLineHeader) << ',' << CsvField(kLongestHeader) << ','
      << CsvField(kOpenEndedHeader) << '\n';
  for (const MonthlyUsage& row : rows) {
    out << MonthText(row) << ',' << CsvField(row.user) << ',' << row.sessions << ','
        << FormatDuration(row.secondsOnLine) << ',' << FormatDuration(row.longestSeconds) << ','
        << row.openEnded << '\n';
  }
}

}  // namespace report
