// What the settings ask of the profile service, seen through a recording stand-in.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "data/TSetup.h"

namespace {

using data::TSetup;

class RecordingProfiles : public platform::ProfileFiles {
 public:
  std::vector<std::string> Keys(const std::string& file, const std::string& section) override {
    calls.push_back("keys " + file + "/" + section);
    std::vector<std::string> keys;
    for (const auto& [name, value] : values)
      if (name.rfind(file + "/" + section + "/", 0) == 0) keys.push_back(name);
    return keys;
  }
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override {
    calls.push_back("read " + section + "/" + key);
    const auto found = values.find(file + "/" + section + "/" + key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override {
    calls.push_back("write " + file + ": " + section + "/" + key + "=" + value);
    if (key == failingKey) return false;
    values[file + "/" + section + "/" + key] = value;
    return true;
  }

  std::map<std::string, std::string> values;
  std::vector<std::string> calls;
  std::string failingKey;
};

TEST(SettingsWrites, SaveWritesTheKeysInFileOrderAndTheTrayOptionLast) {
  RecordingProfiles profiles;
  TSetup setup(profiles);
  setup.TimeLogMinuteInterval = -3;
  profiles.calls.clear();

  ASSERT_TRUE(setup.SaveToFile("x.ini"));
  const std::vector<std::string> expected = {
      "write x.ini: Main/Program name=\xC1\xF0\xF3\xEC\xE5\xEB\xEA\xE0",
      "write x.ini: Main/Version=0.90",
      "write x.ini: Main/Author=Brumelka team",
      "write x.ini: Data files/UsersFile=users.usr",
      "write x.ini: Data files/LogFileName=connects.log",
      "write x.ini: Params/IsMinimizeToTrayOnConnect=1",
      "write x.ini: Params/TimeLogMinuteInterval=-3",
      "write x.ini: Params/IsShowInTrayOnStartup=0",
  };
  EXPECT_EQ(profiles.calls, expected);
}

TEST(SettingsWrites, SaveStopsAtTheFirstFailedWrite) {
  RecordingProfiles profiles;
  profiles.failingKey = "UsersFile";
  TSetup setup(profiles);  // its own save of the defaults fails as well
  profiles.calls.clear();

  EXPECT_FALSE(setup.SaveToFile("x.ini"));
  ASSERT_EQ(profiles.calls.size(), 4u);
  EXPECT_EQ(profiles.calls.back(), "write x.ini: Data files/UsersFile=users.usr");
  EXPECT_EQ(profiles.values.count("x.ini/Main/Author"), 1u);
  EXPECT_EQ(profiles.values.count("x.ini/Data files/LogFileName"), 0u);
}

TEST(SettingsWrites, ConstructionLoadsTheStandardFileOrWritesTheDefaults) {
  RecordingProfiles profiles;
  const TSetup fresh(profiles);
  ASSERT_GE(profiles.calls.size(), 2u);
  EXPECT_EQ(profiles.calls.front(), "keys brumelka.ini/Main");
  EXPECT_EQ(profiles.calls.back(), "write brumelka.ini: Params/IsShowInTrayOnStartup=0");

  profiles.calls.clear();
  profiles.values["brumelka.ini/Params/TimeLogMinuteInterval"] = "42";
  const TSetup loaded(profiles);
  EXPECT_EQ(loaded.TimeLogMinuteInterval, 42);
  for (const std::string& call : profiles.calls)
    EXPECT_EQ(call.rfind("write", 0), std::string::npos);
}

}  // namespace
