#pragma once
// What the users and settings dialogs use of the main window. They are made after it, once,
// and keep this for the whole run; the main window stays above them in the layers.

#include <functional>
#include <string>

#include "data/TSetup.h"
#include "data/TUsers.h"
#include "platform/ui/Dialogs.h"

namespace dialogs {

struct MainWindowLink {
  data::TUsers& users;
  data::TSetup& setup;
  std::string& currentUserName;
  // Shared with the main window's own commands: each keeps the last name chosen.
  ui::FileDialog& openDialog;
  ui::FileDialog& saveDialog;
  std::function<void()> loadUsersToMenu;
  std::function<void()> initialize;
  // The main window's open-settings and save-settings commands, run above the given dialog.
  std::function<void(ui::Form& over)> openSettings;
  std::function<void(ui::Form& over)> saveSettings;
};

}  // namespace dialogs
