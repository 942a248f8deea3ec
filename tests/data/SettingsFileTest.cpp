// The settings and their file, through the program's own profile-file code.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/TSetup.h"
#include "platform/native/IniProfileFiles.h"
#include "platform/text/Cp1251.h"
#include "support/TempFolder.h"

namespace {

using data::TSetup;
using testing_support::TempFolder;

const std::string kMain = "[Main]\r\nVersion=0.90\r\n";

class SettingsFile : public ::testing::Test {
 protected:
  void WriteIni(const std::string& bytes) { folder_.Write("brumelka.ini", bytes); }
  std::string ReadIni() const { return folder_.Read("brumelka.ini"); }

  TempFolder folder_;
  platform::IniProfileFiles profiles_{folder_.Path()};
};

TEST_F(SettingsFile, FirstStartWritesTheDefaults) {
  const TSetup setup(profiles_);

  EXPECT_TRUE(setup.IsMinimizeToTrayOnConnect);
  EXPECT_FALSE(setup.IsShowInTrayOnStartup);
  EXPECT_EQ(setup.TimeLogMinuteInterval, 10);
  EXPECT_EQ(setup.UsersFile, "users.usr");
  EXPECT_EQ(setup.LogFileName, "connects.log");
  EXPECT_EQ(setup.SetupFileName, "brumelka.ini");
  EXPECT_EQ(ReadIni(),
            "[Main]\r\n"
            "Program name=" +
                text::Cp(u8"Брумелка") +
                "\r\n"
                "Version=0.90\r\n"
                "Author=Brumelka team\r\n"
                "[Data files]\r\n"
                "UsersFile=users.usr\r\n"
                "LogFileName=connects.log\r\n"
                "[Params]\r\n"
                "IsMinimizeToTrayOnConnect=1\r\n"
                "TimeLogMinuteInterval=10\r\n"
                "IsShowInTrayOnStartup=0\r\n");
}

TEST_F(SettingsFile, MissingKeysTakeTheLoadDefaults) {
  WriteIni(kMain);
  TSetup setup(profiles_);
  setup.IsMinimizeToTrayOnConnect = false;
  setup.TimeLogMinuteInterval = 1;

  EXPECT_TRUE(setup.LoadFromFile("brumelka.ini"));
  EXPECT_EQ(setup.UsersFile, "users.usr");
  EXPECT_EQ(setup.LogFileName, "connects.usr");
  EXPECT_TRUE(setup.IsMinimizeToTrayOnConnect);
  EXPECT_TRUE(setup.IsShowInTrayOnStartup);
  EXPECT_EQ(setup.TimeLogMinuteInterval, 10);
  EXPECT_EQ(ReadIni(), kMain);  // a load writes nothing
}

TEST_F(SettingsFile, IntervalTakesDecimalIntegersOnly) {
  const struct {
    const char* stored;
    int loaded;
  } cases[] = {{"30", 30}, {"abc", 10}, {"-5", -5}, {"0", 0}, {"", 10}, {"7.5", 10}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteIni(kMain + "[Params]\r\nTimeLogMinuteInterval=" + c.stored + "\r\n");
    TSetup setup(profiles_);
    EXPECT_EQ(setup.TimeLogMinuteInterval, c.loaded);
  }
}

TEST_F(SettingsFile, MinimizeOptionIsAnyNonZeroInteger) {
  const struct {
    const char* stored;
    bool loaded;
  } cases[] = {{"2", true}, {"no", true}, {"0", false}, {"-1", true}, {"1", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteIni(kMain + "[Params]\r\nIsMinimizeToTrayOnConnect=" + c.stored + "\r\n");
    TSetup setup(profiles_);
    EXPECT_EQ(setup.IsMinimizeToTrayOnConnect, c.loaded);
  }
}

TEST_F(SettingsFile, EmptyValuesAreKeptAsEmptyNames) {
  WriteIni(kMain + "[Data files]\r\nUsersFile=\r\nLogFileName=\r\n");
  const TSetup setup(profiles_);
  EXPECT_EQ(setup.UsersFile, "");
  EXPECT_EQ(setup.LogFileName, "");
}

TEST_F(SettingsFile, ShowInTrayFollowsTheMinimizeOptionUntilItHasItsOwnKey) {
  WriteIni(kMain + "[Params]\r\nIsMinimizeToTrayOnConnect=0\r\n");
  EXPECT_FALSE(TSetup(profiles_).IsShowInTrayOnStartup);

  WriteIni(kMain + "[Params]\r\nIsMinimizeToTrayOnConnect=1\r\n");
  EXPECT_TRUE(TSetup(profiles_).IsShowInTrayOnStartup);

  WriteIni(kMain + "[Params]\r\nIsMinimizeToTrayOnConnect=1\r\nIsShowInTrayOnStartup=0\r\n");
  EXPECT_FALSE(TSetup(profiles_).IsShowInTrayOnStartup);

  WriteIni(kMain + "[Params]\r\nIsMinimizeToTrayOnConnect=0\r\nIsShowInTrayOnStartup=1\r\n");
  EXPECT_TRUE(TSetup(profiles_).IsShowInTrayOnStartup);
}

TEST_F(SettingsFile, FileWithoutKeysInMainIsNoSettingsFile) {
  TSetup setup(profiles_);
  setup.UsersFile = "mine.usr";
  setup.TimeLogMinuteInterval = 3;
  for (const std::string& bytes :
       {std::string("[Main]\r\n[Data files]\r\nUsersFile=other.usr\r\n"),
        std::string("[Data files]\r\nUsersFile=other.usr\r\n"), std::string()}) {
    SCOPED_TRACE(bytes);
    folder_.Write("other.ini", bytes);
    EXPECT_FALSE(setup.LoadFromFile("other.ini"));
    EXPECT_EQ(setup.UsersFile, "mine.usr");
    EXPECT_EQ(setup.TimeLogMinuteInterval, 3);
  }
  EXPECT_FALSE(setup.LoadFromFile("missing.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "missing.ini"));
}

TEST_F(SettingsFile, StartWithAForeignFileWritesTheDefaultsIntoIt) {
  WriteIni("[Main]\r\n[Other]\r\nkeep=me\r\n[Data files]\r\nUsersFile=other.usr\r\n");

  const TSetup setup(profiles_);

  EXPECT_EQ(setup.UsersFile, "users.usr");
  const std::string ini = ReadIni();
  EXPECT_EQ(ini.rfind("[Main]\r\nProgram name=", 0), 0u) << ini;
  EXPECT_NE(ini.find("[Other]\r\nkeep=me\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[Data files]\r\nUsersFile=users.usr\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[Params]\r\nIsMinimizeToTrayOnConnect=1\r\n"), std::string::npos) << ini;
}

TEST_F(SettingsFile, SaveUpdatesKeysInPlaceAndKeepsTheRest) {
  WriteIni(
      "; written by hand\r\n"
      "[params]\r\n"
      "timelogminuteinterval=5\r\n"
      "Extra=1\r\n"
      "\r\n"
      "[Unknown]\r\n"
      "a=b\r\n");
  TSetup setup(profiles_);
  setup.TimeLogMinuteInterval = 25;
  setup.IsMinimizeToTrayOnConnect = false;
  setup.IsShowInTrayOnStartup = true;
  setup.UsersFile = text::Cp(u8"D:\\Дані\\users.usr");

  ASSERT_TRUE(setup.SaveToFile("brumelka.ini"));
  EXPECT_EQ(ReadIni(),
            "; written by hand\r\n"
            "[params]\r\n"
            "timelogminuteinterval=25\r\n"
            "Extra=1\r\n"
            "IsMinimizeToTrayOnConnect=0\r\n"
            "IsShowInTrayOnStartup=1\r\n"
            "\r\n"
            "[Unknown]\r\n"
            "a=b\r\n"
            "[Main]\r\n"
            "Program name=" +
                text::Cp(u8"Брумелка") +
                "\r\n"
                "Version=0.90\r\n"
                "Author=Brumelka team\r\n"
                "[Data files]\r\n"
                "UsersFile=" +
                text::Cp(u8"D:\\Дані\\users.usr") +
                "\r\n"
                "LogFileName=connects.log\r\n");
}

TEST_F(SettingsFile, SavedValuesLoadIntoAFreshObject) {
  TSetup setup(profiles_);
  setup.UsersFile = text::Cp(u8"C:\\Користувачі\\users.usr");
  setup.LogFileName = "";
  setup.IsMinimizeToTrayOnConnect = false;
  setup.IsShowInTrayOnStartup = true;
  setup.TimeLogMinuteInterval = -2147483647 - 1;
  ASSERT_TRUE(setup.SaveToFile("saved.ini"));

  TSetup fresh(profiles_);
  fresh.OpenFile("saved.ini");
  EXPECT_EQ(fresh.SetupFileName, "saved.ini");
  EXPECT_EQ(fresh.UsersFile, setup.UsersFile);
  EXPECT_EQ(fresh.LogFileName, "");
  EXPECT_FALSE(fresh.IsMinimizeToTrayOnConnect);
  EXPECT_TRUE(fresh.IsShowInTrayOnStartup);
  EXPECT_EQ(fresh.TimeLogMinuteInterval, -2147483647 - 1);
}

TEST_F(SettingsFile, OpenFileOfANonSettingsFileOnlyTakesItsName) {
  TSetup setup(profiles_);
  setup.UsersFile = "mine.usr";
  setup.OpenFile("missing.ini");
  EXPECT_EQ(setup.SetupFileName, "missing.ini");
  EXPECT_EQ(setup.UsersFile, "mine.usr");

  // SaveDefaults now goes to the file just named.
  ASSERT_TRUE(setup.SaveDefaults());
  EXPECT_NE(folder_.Read("missing.ini").find("UsersFile=mine.usr\r\n"), std::string::npos);
}

TEST_F(SettingsFile, UnwritablePlacesGiveFalse) {
  platform::IniProfileFiles nowhere(folder_.Path() / "missing folder");
  TSetup setup(nowhere);  // the defaults can't be written: silently
  EXPECT_EQ(setup.UsersFile, "users.usr");
  EXPECT_FALSE(setup.SetDefaults());
  EXPECT_FALSE(setup.SaveDefaults());

  std::filesystem::create_directory(folder_.Path() / "folder.ini");
  EXPECT_FALSE(TSetup(profiles_).SaveToFile("folder.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "missing folder"));
}

}  // namespace
