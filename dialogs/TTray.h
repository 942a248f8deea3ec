#pragma once
// The main window's icon in the notification area.

#include <cstdint>

#include "platform/NotifyIcons.h"
#include "platform/ui/Form.h"

namespace dialogs {

class TTray {
 public:
  // The icon's mouse events come to the window as this message (WM_USER + 1).
  static constexpr std::uint32_t WM_TRAYICON = 0x0400 + 1;
  static constexpr std::uint32_t kFlags = 7;  // NIF_MESSAGE | NIF_ICON | NIF_TIP

  explicit TTray(platform::NotifyIcons& shell);

  // cbSize is 0 exactly while no icon counts as shown.
  platform::NotifyIconData IconData;

  // Shows the icon for `form`, its tip the application title of this moment, unless one is
  // shown already.
  void AddIcon(ui::Form& form);
  void DeleteIcon();
  // The shell has lost its icons (the taskbar was made anew): the one that counts as shown
  // is handed to it again.
  void AddIconAgain();

 private:
  platform::NotifyIcons& shell_;
};

}  // namespace dialogs
