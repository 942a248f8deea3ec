// The main window's commands that show the users dialog and the settings dialog. Only root
// gets them: a disabled menu item is not the only way a command can be reached (a message
// sent to the window, the tray menu), so each command asks for itself.

#include "app/TForm1.h"
#include "dialogs/TConfigForm.h"
#include "dialogs/TUserForm.h"

dialogs::MainWindowLink TForm1::LinkForDialogs() {
  return dialogs::MainWindowLink{
      .users = *Users,
      .setup = *Setup,
      .currentUserName = CurrentUserName,
      .openDialog = OpenDialog1,
      .saveDialog = SaveDialog1,
      .loadUsersToMenu = [this] { LoadUsersToMenu(); },
      .initialize = [this] { Initialize(); },
      .openSettings = [this](ui::Form& over) { OpenSetupItemClick(&over); },
      .saveSettings = [this](ui::Form& over) { SaveSetupItemClick(&over); },
  };
}

void TForm1::UsersItemClick() {
  if (!RootLoggedIn() || (UserForm != nullptr && UserForm->Visible())) return;
  if (UserForm == nullptr && MakeUserForm) UserForm = MakeUserForm();
  if (UserForm == nullptr) return;
  UserForm->FormActivate();
  UserForm->ShowModal(this);
}

void TForm1::SetupItemClick() {
  // Reached again while it is shown (the tray menu), the dialog would be refilled under the
  // user's hands.
  if (!RootLoggedIn() || (ConfigForm != nullptr && ConfigForm->Visible())) return;
  if (ConfigForm == nullptr && MakeConfigForm) ConfigForm = MakeConfigForm();
  if (ConfigForm == nullptr) return;
  ConfigForm->FormActivate();
  ConfigForm->ShowModal(this);
}
