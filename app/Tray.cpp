// The window in and out of sight, and the tray icon's mouse events.

#include "app/TForm1.h"

namespace {

// The mouse messages the shell reports for the icon.
constexpr std::intptr_t kLeftButtonDown = 0x0201;
constexpr std::intptr_t kRightButtonDown = 0x0204;
constexpr std::intptr_t kMiddleButtonDown = 0x0207;

}  // namespace

// Minimising sends the window out of sight whether or not an icon brings it back: a second
// start of the program does.
void TForm1::Minimize() {
  Hide();
}

void TForm1::TrayMessage(std::intptr_t mouseMessage) {
  // The icon stays clickable while a dialog or a box of the program is up; a modal program
  // takes no command then.
  if (CommandsHeld()) return;
  switch (mouseMessage) {
    case kLeftButtonDown:
      if (Visible())
        Hide();
      else
        RestoreApp();
      break;
    case kRightButtonDown:
      // The toolkit brings the window to the front before the menu and wakes it after, so
      // that a click elsewhere closes the menu.
      PopupMenuTray.Popup(services_.notifyIcons.CursorPos());
      break;
    case kMiddleButtonDown:
      DisconnectButtonClick();
      break;
    default:
      break;
  }
}
