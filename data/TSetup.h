#pragma once
// The application's settings and their profile file.

#include <string>

#include "platform/ProfileFiles.h"

namespace data {

class TSetup {
 public:
  static constexpr const char* DefaultSetupFile = "brumelka.ini";

  // Takes the defaults and loads DefaultSetupFile, or writes the defaults there.
  explicit TSetup(platform::ProfileFiles& profiles);

  bool IsMinimizeToTrayOnConnect = true;
  bool IsShowInTrayOnStartup = false;
  int TimeLogMinuteInterval = 10;
  std::string UsersFile;
  std::string LogFileName;
  std::string SetupFileName;

  // The load's result, or the save's when the load failed.
  bool SetDefaults();
  // False, with no field changed, for a file whose section "Main" holds no key.
  bool LoadFromFile(const std::string& fileName);
  // False when a key could not be written; the keys written before it stay.
  bool SaveToFile(const std::string& fileName);
  void OpenFile(const std::string& fileName);
  bool SaveDefaults();

 private:
  platform::ProfileFiles& profiles_;
};

}  // namespace data
