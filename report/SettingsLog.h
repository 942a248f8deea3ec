#pragma once
// The log that the program's settings file names, found the way the program finds it.

#include <string>

#include "platform/ProfileFiles.h"

namespace report {

// "LogFileName" of "brumelka.ini" as the program reads it at start-up, its defaults included.
// The settings file is only read: where the program would write its defaults, nothing is written.
std::string SettingsLogName(platform::ProfileFiles& profiles);

}  // namespace report
