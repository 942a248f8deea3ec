// The log the settings file names, found as the program finds it, without touching the file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/native/IniProfileFiles.h"
#include "report/SettingsLog.h"
#include "support/TempFolder.h"

namespace {

using testing_support::TempFolder;

TEST(SettingsLog, TheSettingsFileNamesTheLog) {
  TempFolder folder;
  const std::string ini =
      "[Main]\r\nVersion=0.90\r\n[Data files]\r\nLogFileName=D:\\net\\my.log\r\n";
  folder.Write("brumelka.ini", ini);
  platform::IniProfileFiles profiles(folder.Path());
  EXPECT_EQ(report::SettingsLogName(profiles), "D:\\net\\my.log");
  EXPECT_EQ(folder.Read("brumelka.ini"), ini);
}

TEST(SettingsLog, AFileWithoutTheKeyGivesTheLoadsDefault) {
  TempFolder folder;
  folder.Write("brumelka.ini", "[Main]\r\nVersion=0.90\r\n");
  platform::IniProfileFiles profiles(folder.Path());
  EXPECT_EQ(report::SettingsLogName(profiles), "connects.usr");
}

TEST(SettingsLog, WithoutASettingsFileTheInitialNameHoldsAndNothingIsWritten) {
  TempFolder folder;
  platform::IniProfileFiles profiles(folder.Path());
  EXPECT_EQ(report::SettingsLogName(profiles), "connects.log");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "brumelka.ini"));

  // Not a settings file: the program would write its defaults into it; the report doesn't.
  const std::string other = "[Data files]\r\nLogFileName=other.log\r\n";
  folder.Write("brumelka.ini", other);
  EXPECT_EQ(report::SettingsLogName(profiles), "connects.log");
  EXPECT_EQ(folder.Read("brumelka.ini"), other);
}

}  // namespace
