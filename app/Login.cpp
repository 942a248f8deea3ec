// Choosing a user and checking his user password.

#include "app/TForm1.h"
#include "app/Texts.h"

void TForm1::ClearFields() {
  IsLoggedIn = false;
  for (ui::MenuItem* item : {TurnOffItem, UsersItem, LoadUsersItem, ClearUsersItem, SetupItem,
                             OpenSetupItem, SaveSetupItem, N14})
    item->SetEnabled(false);
  CurrentUserName.clear();
  PhoneEdit.SetText("");
  LoginEdit.SetText("");
  PasswordEdit.SetText("");
  PassEdit.SetText("");
}

// Whoever picks another name at this keyboard must not keep the earlier user's commands or
// see his connection details. A connection that is up stays up.
void TForm1::WithdrawLogIn() {
  ClearFields();
  IfUserEntered();
  ChangeHeaders(texts::kTitle);
}

void TForm1::UserChange(const ui::Button& sender) {
  const std::string name = sender.Text();
  if (IsLoggedIn) WithdrawLogIn();
  Label1.SetText(name + texts::kAskPasswordSuffix);
  CurrentUserName = name;
  IsLoggedIn = false;
  if (name == texts::kRoot && Users->FindUser(texts::kRoot).Pass.Value().empty()) {
    PassEdit.SetText("");
    PassEditExit();
    return;
  }
  // A click that came while the window can't take the focus (hidden, or under a dialog)
  // still chose the user.
  if (PassEdit.CanFocus()) PassEdit.SetFocus();
}

void TForm1::PassEditExit() {
  const data::UserRecord user = Users->FindUser(CurrentUserName);
  if (user.Name.Value().empty()) return;
  // A wrong password is not reported: nothing tells a guesser how close he came.
  if (PassEdit.Text() != user.Pass.Value()) return;
  IsLoggedIn = true;
  TurnOffItem->SetEnabled(true);
  IfUserEntered();
  if (CurrentUserName == texts::kRoot) {
    for (ui::MenuItem* item :
         {UsersItem, LoadUsersItem, ClearUsersItem, SetupItem, OpenSetupItem, SaveSetupItem, N14})
      item->SetEnabled(true);
  }
  ChangeHeaders(texts::kTitleUserPrefix + CurrentUserName);
  Label1.SetText(texts::kUserChangedPrefix + '"' + CurrentUserName + "\".");
  PhoneEdit.SetText(user.Phone.Value());
  LoginEdit.SetText(user.Login.Value());
  PasswordEdit.SetText(user.Password.Value());
}

void TForm1::PassEditKeyPress(char& key) {
  if (key != '\r') return;
  PassEditExit();
  // Leaving the field checks the password once more, with the same result.
  if (ConnectButton.CanFocus()) ConnectButton.SetFocus();
}

void TForm1::IfUserEntered() {
  for (const auto& button : UserButtons)
    if (button) button->SetBold(false);
  if (!IsLoggedIn) return;
  for (const auto& button : UserButtons) {
    if (button && button->Text() == CurrentUserName) {
      button->SetBold(true);
      return;
    }
  }
}

void TForm1::ChangeUserItemClick() {
  ClearFields();
  IfUserEntered();
  ChangeHeaders(texts::kTitle);
  Label1.SetText(texts::kChooseYourName);
}

bool TForm1::RootLoggedIn() const {
  return IsLoggedIn && CurrentUserName == texts::kRoot;
}

void TForm1::LoadUsersItemClick() {
  if (!RootLoggedIn()) return;
  if (OpenDialog1.Execute()) {
    try {
      Users->LoadFromFile(OpenDialog1.FileName());
    } catch (const data::UsersFileError&) {
      // The table keeps what the load left in it, and the buttons show that.
    }
  }
  LoadUsersToMenu();
  ChangeUserItemClick();
}

void TForm1::ClearUsersItemClick() {
  if (!RootLoggedIn()) return;
  Users->ClearUsers();
  ClearFields();
  LoadUsersToMenu();
}
