// Choosing a user with his button and logging in with his user password.

#include <vector>

#include "tests/app/MainWindowFixture.h"
#include "tests/support/UnopenableFile.h"

using text::Cp;

namespace {

class LoginTest : public MainWindowTest {
 protected:
  ui::Button& ButtonOf(const std::string& name) {
    for (auto& button : form->UserButtons)
      if (button && button->Text() == name) return *button;
    throw std::runtime_error("no button for " + name);
  }

  void Choose(const std::string& name) { backend.Click(ButtonOf(name)); }

  void LogIn(const std::string& name, const std::string& pass) {
    Choose(name);
    backend.Type(form->PassEdit, pass);
    backend.PressEnter(form->PassEdit);
  }

  std::vector<ui::MenuItem*> UserGroup() const { return {form->TurnOffItem}; }
  std::vector<ui::MenuItem*> RootGroup() const {
    return {form->UsersItem, form->LoadUsersItem, form->ClearUsersItem,
            form->SetupItem, form->OpenSetupItem, form->SaveSetupItem};
  }
  int EnabledCount(const std::vector<ui::MenuItem*>& items) const {
    int count = 0;
    for (const ui::MenuItem* item : items) count += item->Enabled() ? 1 : 0;
    return count;
  }
  std::vector<std::string> BoldButtons() const {
    std::vector<std::string> bold;
    for (const auto& button : form->UserButtons)
      if (button && button->Bold()) bold.push_back(button->Text());
    return bold;
  }
  void ExpectNobodyLoggedIn() {
    EXPECT_FALSE(form->IsLoggedIn);
    EXPECT_EQ(EnabledCount(UserGroup()) + EnabledCount(RootGroup()), 0);
    EXPECT_EQ(form->PhoneEdit.Text(), "");
    EXPECT_EQ(form->LoginEdit.Text(), "");
    EXPECT_EQ(form->PasswordEdit.Text(), "");
    EXPECT_TRUE(BoldButtons().empty());
  }
};

const UserFields kAnna{"anna", "secret", "5550001", "anna-login", "anna-net"};
const UserFields kBohdan{"bohdan", "", "5550002", "bohdan-login", "bohdan-net"};
const UserFields kRootWithPass{"root", "admin", "", "", ""};
const UserFields kRootOpen{"root", "", "777", "r-login", "r-net"};

}  // namespace

TEST_F(LoginTest, FirstStartLogsTheSeededRootIn) {
  Start();
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->CurrentUserName, "root");
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90 - root"));
  EXPECT_EQ(backend.ApplicationTitle(), Cp("Брумелка 0.90 - root"));
  EXPECT_EQ(form->Label1.Text(), Cp("Змінено користувача на \"root\"."));
  EXPECT_EQ(EnabledCount(UserGroup()) + EnabledCount(RootGroup()), 7);
  EXPECT_EQ(BoldButtons(), std::vector<std::string>{"root"});
}

TEST_F(LoginTest, ChoosingAUserAsksForHisPasswordAndTheRightOneLetsHimIn) {
  WriteUsers({kAnna, kBohdan});
  Start();
  Choose("anna");
  EXPECT_EQ(form->Label1.Text(), Cp("anna, введіть, будь ласка, власний пароль."));
  EXPECT_EQ(form->CurrentUserName, "anna");
  EXPECT_FALSE(form->IsLoggedIn);
  EXPECT_TRUE(form->PassEdit.Focused());

  backend.Type(form->PassEdit, "secret");
  backend.PressEnter(form->PassEdit);

  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90 - anna"));
  EXPECT_EQ(form->Label1.Text(), Cp("Змінено користувача на \"anna\"."));
  EXPECT_EQ(form->PhoneEdit.Text(), "5550001");
  EXPECT_EQ(form->LoginEdit.Text(), "anna-login");
  EXPECT_EQ(form->PasswordEdit.Text(), "anna-net");
  EXPECT_EQ(form->PassEdit.Text(), "secret");
  EXPECT_EQ(EnabledCount(UserGroup()), 1);
  EXPECT_EQ(EnabledCount(RootGroup()), 0);
  EXPECT_EQ(BoldButtons(), std::vector<std::string>{"anna"});
  EXPECT_TRUE(form->ConnectButton.Focused());
}

TEST_F(LoginTest, WrongPasswordChangesNothingSaysNothingButEnterStillMovesOn) {
  WriteUsers({kAnna});
  Start();
  Choose("anna");
  const std::string prompt = form->Label1.Text();
  backend.Type(form->PassEdit, "Secret");
  backend.PressEnter(form->PassEdit);

  EXPECT_FALSE(form->IsLoggedIn);
  EXPECT_EQ(form->CurrentUserName, "anna");
  EXPECT_EQ(form->Label1.Text(), prompt);
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  EXPECT_TRUE(backend.Messages().empty());
  ExpectNobodyLoggedIn();
  EXPECT_TRUE(form->ConnectButton.Focused());
}

TEST_F(LoginTest, RightPasswordThenAClickOnConnectLogsInBeforeTheClick) {
  WriteUsers({kAnna});
  Start();
  bool loggedInAtClick = false;
  form->ConnectButton.OnClick = [&] { loggedInAtClick = form->IsLoggedIn; };
  Choose("anna");
  backend.Type(form->PassEdit, "secret");
  backend.Click(form->ConnectButton);
  EXPECT_TRUE(loggedInAtClick);
}

TEST_F(LoginTest, EmptyPasswordOfAnOrdinaryUserPassesOnLeavingTheField) {
  WriteUsers({kAnna, kBohdan});
  Start();
  Choose("bohdan");
  EXPECT_FALSE(form->IsLoggedIn);
  backend.PressTab(*form);
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->PhoneEdit.Text(), "5550002");
}

TEST_F(LoginTest, RootWithoutPasswordIsLetInByHisButtonAlone) {
  WriteUsers({kAnna, kRootOpen});
  Start();
  ExpectNobodyLoggedIn();
  Choose("root");
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->Label1.Text(), Cp("Змінено користувача на \"root\"."));
  EXPECT_EQ(EnabledCount(RootGroup()), 6);
  EXPECT_EQ(form->PhoneEdit.Text(), "777");
  EXPECT_EQ(BoldButtons(), std::vector<std::string>{"root"});
}

TEST_F(LoginTest, RootWithPasswordIsAskedLikeAnyoneElse) {
  WriteUsers({kRootWithPass, kAnna});
  Start();
  Choose("root");
  EXPECT_FALSE(form->IsLoggedIn);
  EXPECT_TRUE(form->PassEdit.Focused());
  backend.Type(form->PassEdit, "admin");
  backend.PressEnter(form->PassEdit);
  EXPECT_EQ(EnabledCount(RootGroup()), 6);
}

TEST_F(LoginTest, ANameDifferingFromRootInCaseIsAnOrdinaryUser) {
  WriteUsers({{"Root", "", "", "", ""}, kAnna});
  Start();
  Choose("Root");
  EXPECT_FALSE(form->IsLoggedIn);
  backend.PressEnter(form->PassEdit);
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(EnabledCount(UserGroup()), 1);
  EXPECT_EQ(EnabledCount(RootGroup()), 0);
}

TEST_F(LoginTest, DuplicateNamesUseTheFirstRecordAndBoldTheFirstButton) {
  WriteUsers({{"anna", "one", "111", "", ""}, {"anna", "two", "222", "", ""}});
  Start();
  backend.Click(*form->UserButtons[1]);
  backend.Type(form->PassEdit, "two");
  backend.PressEnter(form->PassEdit);
  EXPECT_FALSE(form->IsLoggedIn);

  form->PassEdit.SetText("");
  backend.Type(form->PassEdit, "one");
  backend.PressEnter(form->PassEdit);
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->PhoneEdit.Text(), "111");
  EXPECT_TRUE(form->UserButtons[0]->Bold());
  EXPECT_FALSE(form->UserButtons[1]->Bold());
}

TEST_F(LoginTest, ChoosingAnotherUserWithdrawsTheEarlierLogIn) {
  WriteUsers({kRootWithPass, kAnna});
  Start();
  LogIn("root", "admin");
  ASSERT_EQ(EnabledCount(RootGroup()), 6);

  Choose("anna");

  EXPECT_EQ(form->CurrentUserName, "anna");
  EXPECT_FALSE(form->IsLoggedIn);
  ExpectNobodyLoggedIn();
  EXPECT_EQ(form->PassEdit.Text(), "");
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  EXPECT_EQ(form->Label1.Text(), Cp("anna, введіть, будь ласка, власний пароль."));
}

TEST_F(LoginTest, ALoggedInUserWhoseFieldChangesToAWrongPasswordStaysIn) {
  WriteUsers({kAnna});
  Start();
  LogIn("anna", "secret");
  form->PassEdit.SetFocus();
  backend.Type(form->PassEdit, "xyz");
  backend.PressTab(*form);
  EXPECT_TRUE(form->IsLoggedIn);
}

TEST_F(LoginTest, NewUserCommandLogsOutWithoutTouchingTheTable) {
  WriteUsers({kAnna, kBohdan});
  Start();
  LogIn("anna", "secret");
  form->ChangeUserItemClick();
  ExpectNobodyLoggedIn();
  EXPECT_EQ(form->CurrentUserName, "");
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  EXPECT_EQ(form->Label1.Text(), Cp("Тепер ви можете вибрати своє ім`я і ввести пароль."));
  EXPECT_EQ(form->Users->Count(), 2);
}

TEST_F(LoginTest, ClearingTheTableLeavesNobodyToLogIn) {
  Start();
  ASSERT_TRUE(form->IsLoggedIn);
  backend.ChooseNextMenuItem(form->ClearUsersItem);
  backend.Click(form->MenuLabel);

  EXPECT_EQ(form->Users->Count(), 0);
  EXPECT_EQ(form->UserButtons[0], nullptr);
  ExpectNobodyLoggedIn();
  // The caption still names the user who was in; nothing else can be chosen.
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90 - root"));
  form->CurrentUserName = "root";
  form->PassEditExit();
  EXPECT_FALSE(form->IsLoggedIn);
}

TEST_F(LoginTest, LoadingUsersReplacesTheTableAndLogsOut) {
  Start();
  folder.Write("more.usr", UsersFileBytes({kAnna, kBohdan, kRootWithPass}));
  backend.PickNextFile((folder.Path() / "more.usr").string());
  form->LoadUsersItemClick();

  EXPECT_EQ(form->Users->Count(), 3);
  EXPECT_EQ(form->UserButtons[2]->Text(), "root");
  ExpectNobodyLoggedIn();
  EXPECT_EQ(form->Label1.Text(), Cp("Тепер ви можете вибрати своє ім`я і ввести пароль."));
  // The users file of the settings is not written.
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "users.usr"));
}

TEST_F(LoginTest, CancelledLoadStillRebuildsTheStripAndLogsOut) {
  Start();
  backend.CancelNextFileDialog();
  form->LoadUsersItemClick();
  EXPECT_EQ(form->Users->Count(), 1);
  ASSERT_NE(form->UserButtons[0], nullptr);
  ExpectNobodyLoggedIn();
}

TEST_F(LoginTest, LoadingAFileThatCannotBeOpenedIsSilentAndEmptiesTheTable) {
  Start();
  testing_support::UnopenableFile locked(folder.Path());
  if (!locked.Path()) GTEST_SKIP() << "no file here can be made unreadable";
  backend.PickNextFile(*locked.Path());
  form->LoadUsersItemClick();
  EXPECT_TRUE(backend.Messages().empty());
  EXPECT_EQ(form->Users->Count(), 0);
  EXPECT_EQ(form->UserButtons[0], nullptr);
}

TEST_F(LoginTest, SettingsReappliedAfterClearingSeedRootAgainWhenNoUsersFileExists) {
  Start();
  form->ClearUsersItemClick();
  form->Initialize();
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->Users->Count(), 1);
  EXPECT_EQ(BoldButtons(), std::vector<std::string>{"root"});
}
