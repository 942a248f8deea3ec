#pragma once
// The users dialog: the administrator lists, adds, changes and deletes users, and loads and
// saves users files. Every change goes straight into the main window's table.

#include <string>

#include "dialogs/MainWindowLink.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

namespace dialogs {

class TUserForm : public ui::Form {
 public:
  TUserForm(ui::Backend& backend, MainWindowLink main);

  // --- event handlers ---
  // Fills the dialog from the table; runs at each showing and after an open or a change.
  void FormActivate();
  void UsersListBoxClick();
  void AddButtonClick();
  void DeleteButtonClick();
  void ModifyButtonClick();
  void OpenButtonClick();
  void SaveButtonClick();
  void CloseButtonClick();

  // No change in the table that the dialog has not yet offered to write.
  bool IsSaved = false;

  // --- controls ---
  ui::Label Label1;
  ui::ListBox UsersListBox;
  ui::Label Label4;
  ui::Edit PhoneEdit;
  ui::Label Label3;
  ui::Edit LoginEdit;
  ui::Label Label2;
  ui::Edit PasswordEdit;
  ui::Label Label5;
  ui::Edit NameEdit;
  ui::Label Label6;
  ui::Edit PassEdit;
  ui::Button AddButton;
  ui::Button DeleteButton;
  ui::Button ModifyButton;
  ui::Button OpenButton;
  ui::Button SaveButton;
  ui::Button CloseButton;

 private:
  void AddUserFromFields();
  // The selected line's slot in the table: -1 when its text names no record.
  int SelectedSlot() const;
  void RemoveLine(int line);
  void ConnectEvents();

  MainWindowLink main_;
};

}  // namespace dialogs
