#include "data/TSetup.h"

#include <optional>
#include <string>
#include <vector>

#include "data/ProfileValues.h"
#include "platform/text/Cp1251.h"

namespace data {
namespace {

const char* const kMain = "Main";
const char* const kDataFiles = "Data files";
const char* const kParams = "Params";
const char* const kMinimizeKey = "IsMinimizeToTrayOnConnect";
// Not one of the original keys: older files lack it and take the minimize option instead.
const char* const kShowInTrayKey = "IsShowInTrayOnStartup";

struct Entry {
  const char* section;
  const char* key;
  std::string value;
};

}  // namespace

TSetup::TSetup(platform::ProfileFiles& profiles) : profiles_(profiles) {
  SetDefaults();
}

bool TSetup::SetDefaults() {
  IsMinimizeToTrayOnConnect = true;
  IsShowInTrayOnStartup = false;
  TimeLogMinuteInterval = 10;
  UsersFile = "users.usr";
  LogFileName = "connects.log";
  SetupFileName = DefaultSetupFile;
  return LoadFromFile(SetupFileName) || SaveDefaults();
}

bool TSetup::LoadFromFile(const std::string& fileName) {
  if (profiles_.Keys(fileName, kMain).empty()) return false;

  const auto readText = [&](const char* section, const char* key, const char* fallback) {
    return profiles_.Read(fileName, section, key).value_or(fallback);
  };
  const auto integer = [&](const char* section, const char* key, std::int32_t fallback) {
    return ParseInteger(readText(section, key, "")).value_or(fallback);
  };
  const auto boolean = [&](const char* section, const char* key, bool fallback) {
    return ParseBoolean(readText(section, key, "")).value_or(fallback);
  };

  UsersFile = readText(kDataFiles, "UsersFile", "users.usr");
  // The load's default differs from the initial "connects.log"; files rely on it.
  LogFileName = readText(kDataFiles, "LogFileName", "connects.usr");
  IsMinimizeToTrayOnConnect = boolean(kParams, kMinimizeKey, true);
  TimeLogMinuteInterval = integer(kParams, "TimeLogMinuteInterval", 10);
  IsShowInTrayOnStartup = boolean(kParams, kShowInTrayKey, IsMinimizeToTrayOnConnect);
  return true;
}

bool TSetup::SaveToFile(const std::string& fileName) {
  const std::vector<Entry> entries = {
      {kMain, "Program name", text::Cp(u8"Брумелка")},
      {kMain, "Version", "0.90"},
      {kMain, "Author", "Brumelka team"},
      {kDataFiles, "UsersFile", UsersFile},
      {kDataFiles, "LogFileName", LogFileName},
      {kParams, kMinimizeKey, FormatBoolean(IsMinimizeToTrayOnConnect)},
      {kParams, "TimeLogMinuteInterval", std::to_string(TimeLogMinuteInterval)},
      {kParams, kShowInTrayKey, FormatBoolean(IsShowInTrayOnStartup)},
  };
  for (const Entry& entry : entries)
    if (!profiles_.Write(fileName, entry.section, entry.key, entry.value)) return false;
  return true;
}

void TSetup::OpenFile(const std::string& fileName) {
  SetupFileName = fileName;
  LoadFromFile(fileName);
}

bool TSetup::SaveDefaults() {
  return SaveToFile(SetupFileName);
}

}  // namespace data
