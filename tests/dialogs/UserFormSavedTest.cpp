// When closing the users dialog asks to write the users file: every event that moves the
// dialog's idea of "saved", seen through the question it leads to.

#include <string>
#include <vector>

#include "tests/dialogs/DialogsFixture.h"

namespace {

const UserFields kAnna{"anna", "a-pass", "5550001", "anna-login", "anna-net"};
const UserFields kBohdan{"bohdan", "b-pass", "5550002", "bohdan-login", "bohdan-net"};
const UserFields kRoot{"root", "", "777", "r-login", "r-net"};

class UserFormSavedTest : public DialogsTest {
 protected:
  void StartAsRoot(const std::vector<UserFields>& users) {
    WriteUsers(users);
    StartWithDialogs();
    for (auto& button : form->UserButtons)
      if (button && button->Text() == "root") backend.Click(*button);
    ASSERT_TRUE(form->IsLoggedIn);
  }
  // Presses the close button (the question, if any, is answered No) and tells whether the
  // question was asked.
  bool CloseAsks() {
    const std::size_t before = MessagesOfKind(ui::MessageKind::Confirm).size();
    backend.Click(userForm->CloseButton);
    return MessagesOfKind(ui::MessageKind::Confirm).size() > before;
  }
  // Opens the dialog (the direct way), acts, and closes it.
  bool ShowingAsks(const std::function<void()>& act = [] {}) {
    bool asked = false;
    backend.WhileNextModal([&](ui::FormPeer&) {
      act();
      asked = CloseAsks();
    });
    form->UsersItemClick();
    return asked;
  }
  void Add(const UserFields& user) {
    FillFields(user);
    backend.Click(userForm->AddButton);
  }
  std::string InFolder(const std::string& name) const { return (folder.Path() / name).string(); }
};

}  // namespace

TEST_F(UserFormSavedTest, ANewDialogShownOverAnEmptyTableCountsAsUnsaved) {
  StartAsRoot({kAnna, kRoot});
  form->Users->ClearUsers();
  EXPECT_TRUE(ShowingAsks());
}

TEST_F(UserFormSavedTest, ShowingOverUsersCountsAsSaved) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_FALSE(ShowingAsks());
}

TEST_F(UserFormSavedTest, ShowingOverAnEmptyTableKeepsWhatTheLastShowingLeft) {
  StartAsRoot({kRoot});
  EXPECT_FALSE(ShowingAsks());
  form->Users->ClearUsers();
  EXPECT_FALSE(ShowingAsks());

  EXPECT_TRUE(ShowingAsks([&] { Add(kAnna); }));
  form->Users->ClearUsers();
  EXPECT_TRUE(ShowingAsks());
}

TEST_F(UserFormSavedTest, ARefusedAddChangesNothingAndADoneAddIsUnsaved) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_FALSE(ShowingAsks([&] { Add(kAnna); }));
  EXPECT_TRUE(ShowingAsks([&] { Add(kBohdan); }));
}

TEST_F(UserFormSavedTest, ADeleteAnsweredNoOrWithNothingSelectedChangesNothing) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_FALSE(ShowingAsks([&] {
    backend.AnswerNextMessageBox(ui::Answer::No);
    backend.Click(userForm->DeleteButton);
  }));
  form->Users->ClearUsers();
  EXPECT_FALSE(ShowingAsks([&] { backend.Click(userForm->DeleteButton); }));
}

TEST_F(UserFormSavedTest, ADoneDeleteIsUnsaved) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_TRUE(ShowingAsks([&] {
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->DeleteButton);
  }));
}

TEST_F(UserFormSavedTest, AChangeIsUnsavedThoughItRefillsTheDialog) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_TRUE(ShowingAsks([&] {
    Retype(userForm->LoginEdit, "new-login");
    backend.Click(userForm->ModifyButton);
  }));
}

TEST_F(UserFormSavedTest, OpenCountsAsSavedEvenWhenItsFileDialogIsCancelled) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_FALSE(ShowingAsks([&] {
    Add(kBohdan);
    backend.CancelNextFileDialog();
    backend.Click(userForm->OpenButton);
  }));
  EXPECT_EQ(form->Users->Count(), 3);
}

TEST_F(UserFormSavedTest, SaveCountsAsSavedEvenWhenItsFileDialogIsCancelled) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_FALSE(ShowingAsks([&] {
    Add(kBohdan);
    backend.CancelNextFileDialog();
    backend.Click(userForm->SaveButton);
  }));
  EXPECT_EQ(folder.Read("users.usr"), UsersFileBytes({kAnna, kRoot}));
}

TEST_F(UserFormSavedTest, ASaveThatCannotCreateItsFileIsUnsaved) {
  StartAsRoot({kAnna, kRoot});
  EXPECT_TRUE(ShowingAsks([&] {
    backend.PickNextFile(InFolder("no-such-folder/copy.usr"));
    backend.Click(userForm->SaveButton);
  }));
}
