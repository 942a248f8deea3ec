// A settings file that somebody edited by hand: the program must start on it, save its own
// values into it, and read those values back on the next start, whatever else the file holds.

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/TSetup.h"
#include "fuzz/FuzzFolder.h"
#include "platform/native/IniProfileFiles.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// A file name the profile functions give back as written: they trim values and strip one pair
// of enclosing quotes, on Windows as here.
bool KeepsItsText(const std::string& value) {
  if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()))) return false;
  return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fuzzing::Check;
  const std::string input(reinterpret_cast<const char*>(data), size);
  fuzzing::WriteBytes(fuzzing::FuzzFolder() / data::TSetup::DefaultSetupFile, input);
  platform::IniProfileFiles profiles(fuzzing::FuzzFolder());

  data::TSetup setup(profiles);
  // A value with a stray carriage return inside its line can't be written back without
  // breaking the line; refusing it (and the save reporting that) is right.
  const bool writable =
      (setup.UsersFile + setup.LogFileName).find_first_of("\r\n") == std::string::npos;
  const bool saved = setup.SaveToFile(setup.SetupFileName);
  Check(saved || !writable, "a readable, writable settings file refused a save");
  if (!saved) return 0;

  data::TSetup again(profiles);
  Check(again.IsMinimizeToTrayOnConnect == setup.IsMinimizeToTrayOnConnect,
        "the minimize option did not survive a save");
  Check(again.IsShowInTrayOnStartup == setup.IsShowInTrayOnStartup,
        "the tray option did not survive a save");
  Check(again.TimeLogMinuteInterval == setup.TimeLogMinuteInterval,
        "the log interval did not survive a save");
  if (KeepsItsText(setup.UsersFile))
    Check(again.UsersFile == setup.UsersFile, "the users file name did not survive a save");
  if (KeepsItsText(setup.LogFileName))
    Check(again.LogFileName == setup.LogFileName, "the log file name did not survive a save");
  return 0;
}
