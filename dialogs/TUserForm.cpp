#include "dialogs/TUserForm.h"

#include <vector>

#include "dialogs/DialogTexts.h"
#include "platform/ui/Dialogs.h"

namespace dialogs {
namespace {

ui::FormOptions UserFormOptions() {
  ui::FormOptions options;
  options.style = ui::FormStyle::Dialog;
  options.caption = texts::kUsersCaption;
  options.clientSize = {430, 317};
  options.centered = true;
  return options;
}

// The list on the left, the five fields in a column on the right, two rows of buttons below:
// the record's commands above the file commands.
constexpr int kFieldsLeft = 178;
constexpr int kFieldWidth = 240;
constexpr int kButtonWidth = 128;
constexpr int kButtonHeight = 25;
constexpr int kRecordRow = 246;
constexpr int kFileRow = 280;

constexpr ui::Rect Field(int top) {
  return {kFieldsLeft, top, kFieldWidth, 21};
}
constexpr ui::Rect ButtonAt(int column, int top) {
  return {12 + column * (kButtonWidth + 11), top, kButtonWidth, kButtonHeight};
}

}  // namespace

TUserForm::TUserForm(ui::Backend& backend, MainWindowLink main)
    : ui::Form(backend, UserFormOptions()),
      Label1(*this, ui::Point{12, 10}, texts::kUsersList),
      UsersListBox(*this, {12, 26, 150, 205}),
      Label4(*this, ui::Point{kFieldsLeft, 10}, texts::kProviderPhone),
      PhoneEdit(*this, Field(26)),
      Label3(*this, ui::Point{kFieldsLeft, 56}, texts::kLogin),
      LoginEdit(*this, Field(72)),
      Label2(*this, ui::Point{kFieldsLeft, 102}, texts::kPassword),
      PasswordEdit(*this, Field(118), /*password=*/true),
      Label5(*this, ui::Point{kFieldsLeft, 148}, texts::kUserName),
      NameEdit(*this, Field(164)),
      Label6(*this, ui::Point{kFieldsLeft, 194}, texts::kUserPassword),
      PassEdit(*this, Field(210), /*password=*/true),
      AddButton(*this, ButtonAt(0, kRecordRow), texts::kAdd),
      DeleteButton(*this, ButtonAt(1, kRecordRow), texts::kDelete),
      ModifyButton(*this, ButtonAt(2, kRecordRow), texts::kModify),
      OpenButton(*this, ButtonAt(0, kFileRow), texts::kOpenUsers),
      SaveButton(*this, ButtonAt(1, kFileRow), texts::kSaveUsers),
      CloseButton(*this, ButtonAt(2, kFileRow), texts::kClose),
      main_(std::move(main)) {
  // The name comes before the connection password in the keyboard order, though not on screen.
  int order = 0;
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &UsersListBox, &PhoneEdit, &LoginEdit, &NameEdit, &PasswordEdit, &PassEdit, &AddButton,
           &DeleteButton, &ModifyButton, &OpenButton, &SaveButton, &CloseButton})
    control->SetTabOrder(order++);
  ConnectEvents();
}

void TUserForm::ConnectEvents() {
  UsersListBox.OnClick = [this] { UsersListBoxClick(); };
  AddButton.OnClick = [this] { AddButtonClick(); };
  DeleteButton.OnClick = [this] { DeleteButtonClick(); };
  ModifyButton.OnClick = [this] { ModifyButtonClick(); };
  OpenButton.OnClick = [this] { OpenButtonClick(); };
  SaveButton.OnClick = [this] { SaveButtonClick(); };
  CloseButton.OnClick = [this] { CloseButtonClick(); };
}

void TUserForm::FormActivate() {
  for (ui::Edit* field : {&PhoneEdit, &LoginEdit, &PasswordEdit, &NameEdit, &PassEdit})
    field->SetText("");
  UsersListBox.Clear();
  DeleteButton.SetEnabled(true);
  data::TUsers& users = main_.users;
  if (users.Count() == 0) return;

  // The administrator sees everybody; anyone else only himself.
  if (main_.currentUserName == texts::kRoot) {
    for (int slot = 1; slot <= users.Count(); ++slot)
      UsersListBox.Add(users.GetUser(slot).Name.Value());
  } else if (users.IndexOfUser(main_.currentUserName) != -1) {
    UsersListBox.Add(users.FindUser(main_.currentUserName).Name.Value());
  }
  UsersListBox.SetSelectedIndex(0);
  UsersListBoxClick();
  IsSaved = true;
}

int TUserForm::SelectedSlot() const {
  return main_.users.IndexOfUser(UsersListBox.Item(UsersListBox.SelectedIndex()));
}

void TUserForm::UsersListBoxClick() {
  if (UsersListBox.SelectedIndex() < 0) return;
  // A line whose name the table doesn't hold shows an empty record.
  const data::UserRecord user = main_.users.GetUser(SelectedSlot());
  PhoneEdit.SetText(user.Phone.Value());
  LoginEdit.SetText(user.Login.Value());
  NameEdit.SetText(user.Name.Value());
  PasswordEdit.SetText(user.Password.Value());
  PassEdit.SetText(user.Pass.Value());
}

void TUserForm::AddUserFromFields() {
  main_.users.AddUser(NameEdit.Text(), PassEdit.Text(), PhoneEdit.Text(), LoginEdit.Text(),
                      PasswordEdit.Text());
}

void TUserForm::AddButtonClick() {
  if (main_.users.IndexOfUser(NameEdit.Text()) != -1) {
    ui::ShowMessage(*this, texts::kDuplicateName);
    return;
  }
  AddUserFromFields();
  // The line shows the name as typed, even where the table had to cut it or had no room.
  UsersListBox.Add(NameEdit.Text());
  UsersListBox.SetSelectedIndex(UsersListBox.Count() - 1);
  DeleteButton.SetEnabled(true);
  IsSaved = false;
}

void TUserForm::DeleteButtonClick() {
  const int line = UsersListBox.SelectedIndex();
  if (line < 0) return;
  const std::string name = UsersListBox.Item(line);
  const ui::Answer answer =
      GetBackend().ShowMessageBox(&Peer(), ui::MessageKind::PlainYesNo,
                                  texts::kDeleteQuestion + '"' + name + "\"?", texts::kProductName);
  if (answer == ui::Answer::No) return;

  main_.users.DeleteUser(main_.users.IndexOfUser(name));
  RemoveLine(line);
  UsersListBox.SetSelectedIndex(line > 0 ? line - 1 : 0);
  if (UsersListBox.Count() == 0) DeleteButton.SetEnabled(false);
  UsersListBoxClick();
  IsSaved = false;
}

void TUserForm::RemoveLine(int line) {
  std::vector<std::string> kept;
  for (int i = 0; i < UsersListBox.Count(); ++i)
    if (i != line) kept.push_back(UsersListBox.Item(i));
  UsersListBox.Clear();
  for (const std::string& text : kept) UsersListBox.Add(text);
}

void TUserForm::ModifyButtonClick() {
  if (UsersListBox.SelectedIndex() < 0) return;
  main_.users.DeleteUser(SelectedSlot());
  // No check for a duplicate here: the changed record simply goes to the end of the table.
  AddUserFromFields();
  main_.currentUserName = NameEdit.Text();
  FormActivate();
  IsSaved = false;
}

void TUserForm::OpenButtonClick() {
  // Counts as saved even when the file dialog is then cancelled.
  IsSaved = true;
  if (!main_.openDialog.Execute(*this)) return;
  try {
    main_.users.LoadFromFile(main_.openDialog.FileName());
  } catch (const data::UsersFileError&) {
    // The table is empty now, but the list keeps the earlier names until the next showing.
    ui::ShowMessage(*this, texts::kOpenFailed);
    return;
  }
  FormActivate();
}

void TUserForm::SaveButtonClick() {
  // Counts as saved even when the file dialog is then cancelled.
  IsSaved = true;
  if (!main_.saveDialog.Execute(*this)) return;
  try {
    main_.users.SaveToFile(main_.saveDialog.FileName());
  } catch (const data::UsersFileError&) {
    IsSaved = false;
    ui::ShowMessage(*this, texts::kSaveFailed);
  }
}

void TUserForm::CloseButtonClick() {
  main_.loadUsersToMenu();
  if (!IsSaved) {
    const ui::Answer answer = GetBackend().ShowMessageBox(
        &Peer(), ui::MessageKind::Confirm, texts::kSaveQuestion, GetBackend().ApplicationTitle());
    if (answer != ui::Answer::No) {
      try {
        main_.users.SaveToFile(main_.setup.UsersFile);
      } catch (const data::UsersFileError&) {
        ui::ShowMessage(*this, texts::kSaveFailed);
      }
    }
  }
  EndModal();
}

}  // namespace dialogs
