// The connection log: the layout of a line, appending, logging turned off, and a file that
// can't be written.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "data/TLog.h"
#include "platform/Clock.h"
#include "platform/native/FormatClock.h"
#include "platform/text/Cp1251.h"
#include "support/TempFolder.h"

namespace {

using platform::LocalTime;

const LocalTime kConnectTime{2026, 12, 8, 6, 45, 54, 0};

class ConnectionLog : public ::testing::Test {
 protected:
  ConnectionLog() { clock_.Set(kConnectTime); }

  testing_support::TempFolder folder_;
  platform::FormatClock clock_{"dd.MM.yyyy", "H:mm:ss"};
  std::vector<std::string> failures_;
  data::TLog log_{clock_, [this](const std::string& message) { failures_.push_back(message); }};
};

TEST_F(ConnectionLog, TheFirstEntryCreatesTheFileWithItsOneLine) {
  log_.FileName = "connects.log";
  log_.AddLogEntry("root", text::Cp("з`єднався"));
  EXPECT_EQ(folder_.Read("connects.log"),
            text::Cp("root з`єднався 08.12.2026 о такій годині: 6:45:54\r\n"));
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ConnectionLog, AnEmptyUserNameBeginsTheLineWithASpace) {
  log_.FileName = "connects.log";
  log_.AddLogEntry("", text::Cp("працював"));
  EXPECT_EQ(folder_.Read("connects.log"),
            text::Cp(" працював 08.12.2026 о такій годині: 6:45:54\r\n"));
}

TEST_F(ConnectionLog, EntriesFollowOneAnotherInCallOrder) {
  log_.FileName = "connects.log";
  log_.AddLogEntry(text::Cp("Петро"), text::Cp("з`єднався"));
  clock_.Set({2026, 12, 8, 17, 3, 9, 0});
  log_.AddLogEntry(text::Cp("Петро"), text::Cp("розз`єднався"));
  EXPECT_EQ(folder_.Read("connects.log"),
            text::Cp("Петро з`єднався 08.12.2026 о такій годині: 6:45:54\r\n"
                     "Петро розз`єднався 08.12.2026 о такій годині: 17:03:09\r\n"));
}

TEST_F(ConnectionLog, AppendingKeepsWhatTheFileHeld) {
  const std::string earlier =
      text::Cp("old вимкнув ПК 01.01.2020 о такій годині: 0:00:00\r\n") + "no line end at the end";
  folder_.Write("connects.log", earlier);
  log_.FileName = "connects.log";
  log_.AddLogEntry("root", text::Cp("працював"));
  EXPECT_EQ(folder_.Read("connects.log"),
            earlier + text::Cp("root працював 08.12.2026 о такій годині: 6:45:54\r\n"));
}

TEST_F(ConnectionLog, AFileNameInWindows1251IsTheFileOnDisk) {
  log_.FileName = text::Cp("журнал з`єднань.log");
  log_.AddLogEntry("root", text::Cp("з`єднався"));
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(
      testing_support::ReadFile(folder_.Path() / std::filesystem::path(u8"журнал з`єднань.log")),
      text::Cp("root з`єднався 08.12.2026 о такій годині: 6:45:54\r\n"));
}

TEST_F(ConnectionLog, AnEmptyFileNameWritesAndReportsNothing) {
  log_.AddLogEntry("root", text::Cp("з`єднався"));
  log_.FileName = "";
  log_.AddLogEntry("root", text::Cp("працював"));
  EXPECT_TRUE(failures_.empty());
  EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));
}

TEST_F(ConnectionLog, AFolderThatDoesNotExistReportsEveryEntryAndCreatesNothing) {
  log_.FileName = "missing/connects.log";
  log_.AddLogEntry("root", text::Cp("з`єднався"));
  log_.AddLogEntry("root", text::Cp("працював"));
  EXPECT_EQ(failures_, std::vector<std::string>(2, text::Cp("Помилка логування.")));
  EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));

  // Later entries try again from the start.
  std::filesystem::create_directory(folder_.Path() / "missing");
  log_.AddLogEntry("root", text::Cp("розз`єднався"));
  EXPECT_EQ(failures_.size(), 2u);
  EXPECT_EQ(folder_.Read("missing/connects.log"),
            text::Cp("root розз`єднався 08.12.2026 о такій годині: 6:45:54\r\n"));
}

// Hands out the given readings one after another, formatting them as FormatClock does.
class SteppingClock : public platform::Clock {
 public:
  explicit SteppingClock(std::vector<LocalTime> readings) : readings_(std::move(readings)) {}

  LocalTime Now() override { return readings_[std::min(readingsTaken++, readings_.size() - 1)]; }
  std::string ShortDate(const LocalTime& time) override { return format_.ShortDate(time); }
  std::string LongTime(const LocalTime& time) override { return format_.LongTime(time); }

  std::size_t readingsTaken = 0;

 private:
  std::vector<LocalTime> readings_;
  platform::FormatClock format_{"dd.MM.yyyy", "H:mm:ss"};
};

TEST(ConnectionLogClock, TheDateIsReadFirstAndTheTimeSeparately) {
  testing_support::TempFolder folder;
  // Midnight passes between the two readings.
  SteppingClock clock({{2026, 12, 8, 23, 59, 59, 999}, {2026, 12, 9, 0, 0, 0, 1}});
  data::TLog log(clock, [](const std::string& message) { ADD_FAILURE() << message; });
  log.FileName = "connects.log";
  log.AddLogEntry("root", text::Cp("працював"));
  EXPECT_EQ(clock.readingsTaken, 2u);
  EXPECT_EQ(folder.Read("connects.log"),
            text::Cp("root працював 08.12.2026 о такій годині: 0:00:00\r\n"));
}

}  // namespace
