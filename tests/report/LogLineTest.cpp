// Lines as the program's log writer writes them, read back; and the calendar arithmetic the
// month split rests on.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "data/TLog.h"
#include "platform/native/FormatClock.h"
#include "platform/text/Cp1251.h"
#include "report/LogLine.h"
#include "support/TempFolder.h"

namespace {

using platform::LocalTime;
using report::Action;
using report::LogLineReader;
using report::TimePicture;

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = bytes.find("\r\n"); end != std::string::npos;
       end = bytes.find("\r\n", start)) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(LogLine, ReadsBackWhatTheLogWriterWrites) {
  struct Format {
    const char* date;
    const char* time;
  };
  const LocalTime when{2026, 12, 8, 18, 5, 4, 0};
  for (const Format format : {Format{"dd.MM.yyyy", "H:mm:ss"}, Format{"M/d/yyyy", "h:mm:ss tt"},
                              Format{"yyyy-MM-dd", "HH:mm:ss"}}) {
    SCOPED_TRACE(format.date);
    testing_support::TempFolder folder;
    platform::FormatClock clock(format.date, format.time);
    clock.Set(when);
    data::TLog log(clock, [](const std::string& failure) { FAIL() << failure; });
    log.FileName = "connects.log";
    const std::string oksana = text::Cp("Оксана");
    log.AddLogEntry(oksana, text::Cp("з`єднався"));
    log.AddLogEntry("", text::Cp("працював"));
    log.AddLogEntry("root", text::Cp("розз`єднався"));
    log.AddLogEntry("root", text::Cp("вимкнув ПК"));

    const LogLineReader reader(TimePicture(format.date), TimePicture(format.time));
    const std::vector<std::string> lines = Lines(folder.Read("connects.log"));
    ASSERT_EQ(lines.size(), 4u);
    const Action actions[] = {Action::kConnected, Action::kStillOnline, Action::kDisconnected,
                              Action::kPoweredOff};
    const std::string users[] = {oksana, "", "root", "root"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::optional<report::LogEvent> event = reader.Read(lines[i]);
      ASSERT_TRUE(event.has_value()) << lines[i];
      EXPECT_EQ(event->user, users[i]);
      EXPECT_EQ(event->action, actions[i]);
      EXPECT_EQ(event->when, report::ToLocalSeconds(2026, 12, 8, 18, 5, 4));
    }
  }
}

TEST(LogLine, CalendarArithmeticAgreesWithTheCalendar) {
  EXPECT_EQ(report::ToLocalSeconds(1970, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(
      report::ToLocalSeconds(2000, 3, 1, 0, 0, 0) - report::ToLocalSeconds(2000, 2, 28, 0, 0, 0),
      2 * 86400);
  EXPECT_EQ(report::ToLocalSeconds(2026, 12, 8, 6, 45, 54), 1796712354);
  int year = 0;
  int month = 0;
  for (const auto& [y, m, d] : {std::tuple{1969, 12, 31}, std::tuple{2000, 2, 29},
                                std::tuple{2026, 1, 1}, std::tuple{2026, 12, 31}}) {
    report::MonthOf(report::ToLocalSeconds(y, m, d, 23, 59, 59), year, month);
    EXPECT_EQ(year, y);
    EXPECT_EQ(month, m);
  }
  EXPECT_EQ(report::StartOfNextMonth(report::ToLocalSeconds(2026, 12, 31, 23, 59, 59)),
            report::ToLocalSeconds(2027, 1, 1, 0, 0, 0));
  EXPECT_EQ(report::StartOfNextMonth(report::ToLocalSeconds(2028, 2, 1, 0, 0, 0)),
            report::ToLocalSeconds(2028, 3, 1, 0, 0, 0));
}

}  // namespace
