#pragma once
// The main window with its users and settings dialogs, made as the program makes them.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/TConfigForm.h"
#include "dialogs/TUserForm.h"
#include "tests/app/MainWindowFixture.h"

class DialogsTest : public MainWindowTest {
 protected:
  void StartWithDialogs() {
    Start();
    userForm = std::make_unique<dialogs::TUserForm>(backend, form->LinkForDialogs());
    configForm = std::make_unique<dialogs::TConfigForm>(backend, form->LinkForDialogs());
    form->UserForm = userForm.get();
    form->ConfigForm = configForm.get();
  }

  // Picks a main-menu entry as the user does: through the "Меню" link.
  void ChooseFromMainMenu(ui::MenuItem* item) {
    backend.ChooseNextMenuItem(item);
    backend.Click(form->MenuLabel);
  }

  // Shows the users dialog from the main menu and acts in it; `script` must close it.
  void InUsersDialog(const std::function<void()>& script) {
    backend.WhileNextModal([script](ui::FormPeer&) { script(); });
    ChooseFromMainMenu(form->UsersItem);
  }
  // The same for the settings dialog, opened from the main menu.
  void InSettingsDialog(const std::function<void()>& script) {
    backend.WhileNextModal([script](ui::FormPeer&) { script(); });
    ChooseFromMainMenu(form->SetupItem);
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < userForm->UsersListBox.Count(); ++i)
      lines.push_back(userForm->UsersListBox.Item(i));
    return lines;
  }
  std::vector<std::string> TableNames() const {
    std::vector<std::string> names;
    for (int slot = 1; slot <= form->Users->Count(); ++slot)
      names.push_back(form->Users->GetUser(slot).Name.Value());
    return names;
  }
  std::vector<std::string> ButtonCaptions() const {
    std::vector<std::string> captions;
    for (const auto& button : form->UserButtons)
      if (button) captions.push_back(button->Text());
    return captions;
  }
  // The five fields of the users dialog: name, pass, phone, login, password.
  UserFields ShownFields() const {
    return {userForm->NameEdit.Text(), userForm->PassEdit.Text(), userForm->PhoneEdit.Text(),
            userForm->LoginEdit.Text(), userForm->PasswordEdit.Text()};
  }
  void SelectLine(int line) {
    userForm->UsersListBox.SetSelectedIndex(line);
    backend.Click(userForm->UsersListBox);
  }
  void Retype(ui::Edit& field, const std::string& text) {
    field.SetText("");
    backend.Type(field, text);
  }
  void FillFields(const UserFields& user) {
    Retype(userForm->NameEdit, user.name);
    Retype(userForm->PassEdit, user.pass);
    Retype(userForm->PhoneEdit, user.phone);
    Retype(userForm->LoginEdit, user.login);
    Retype(userForm->PasswordEdit, user.password);
  }
  std::vector<headless::ShownMessage> MessagesOfKind(ui::MessageKind kind) const {
    std::vector<headless::ShownMessage> found;
    for (const auto& shown : backend.Messages())
      if (shown.kind == kind) found.push_back(shown);
    return found;
  }

  std::unique_ptr<dialogs::TUserForm> userForm;
  std::unique_ptr<dialogs::TConfigForm> configForm;
};

inline bool operator==(const UserFields& a, const UserFields& b) {
  return a.name == b.name && a.pass == b.pass && a.phone == b.phone && a.login == b.login &&
         a.password == b.password;
}
