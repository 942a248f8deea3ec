// The users dialog: who is listed, and adding, changing and deleting users.

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/dialogs/DialogsFixture.h"

using text::Cp;
using Names = std::vector<std::string>;

namespace {

const UserFields kAnna{"anna", "a-pass", "5550001", "anna-login", "anna-net"};
const UserFields kBohdan{"bohdan", "b-pass", "5550002", "bohdan-login", "bohdan-net"};
const UserFields kRoot{"root", "", "777", "r-login", "r-net"};

class UserFormTest : public DialogsTest {
 protected:
  // Root has no user password, so his button alone logs him in.
  void StartAsRoot(const std::vector<UserFields>& users) {
    WriteUsers(users);
    StartWithDialogs();
    for (auto& button : form->UserButtons)
      if (button && button->Text() == "root") backend.Click(*button);
    ASSERT_TRUE(form->IsLoggedIn);
  }
  void Close() { backend.Click(userForm->CloseButton); }
};

}  // namespace

TEST_F(UserFormTest, RootSeesEveryUserInTableOrderWithTheFirstShownWhileTheMainWindowWaits) {
  StartAsRoot({kAnna, kBohdan, kRoot});
  bool mainWindowEnabled = true;
  InUsersDialog([&] {
    mainWindowEnabled = form->Peer().Enabled();
    EXPECT_EQ(Lines(), (Names{"anna", "bohdan", "root"}));
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 0);
    EXPECT_EQ(ShownFields(), kAnna);
    EXPECT_TRUE(userForm->UsersListBox.Focused());

    SelectLine(1);
    EXPECT_EQ(ShownFields(), kBohdan);
    Close();
  });
  EXPECT_FALSE(mainWindowEnabled);
  EXPECT_TRUE(form->Peer().Enabled());
  EXPECT_FALSE(userForm->Visible());
  EXPECT_EQ(userForm->Caption(), Cp("Користувачі"));
  // Nothing changed, so nothing is asked.
  EXPECT_TRUE(backend.Messages().empty());
}

TEST_F(UserFormTest, EachShowingStartsAfreshFromTheTable) {
  StartAsRoot({kAnna, kBohdan, kRoot});
  InUsersDialog([&] {
    SelectLine(2);
    Retype(userForm->PhoneEdit, "typed, not stored");
    Close();
  });
  form->Users->DeleteUser(1);
  InUsersDialog([&] {
    EXPECT_EQ(Lines(), (Names{"bohdan", "root"}));
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 0);
    EXPECT_EQ(ShownFields(), kBohdan);
    Close();
  });
}

TEST_F(UserFormTest, KeyboardOrderPutsTheNameBeforeTheConnectionPassword) {
  StartAsRoot({kAnna, kRoot});
  std::vector<ui::Control*> visited;
  const std::vector<ui::Control*> all = {
      &userForm->UsersListBox, &userForm->PhoneEdit,    &userForm->LoginEdit,
      &userForm->NameEdit,     &userForm->PasswordEdit, &userForm->PassEdit,
      &userForm->AddButton,    &userForm->DeleteButton, &userForm->ModifyButton,
      &userForm->OpenButton,   &userForm->SaveButton,   &userForm->CloseButton};
  InUsersDialog([&] {
    for (std::size_t step = 0; step < all.size(); ++step) {
      for (ui::Control* control : all)
        if (control->Focused()) visited.push_back(control);
      backend.PressTab(*userForm);
    }
    Close();
  });
  EXPECT_EQ(visited, all);
}

TEST_F(UserFormTest, ChangingAnotherUsersRecordMovesItToTheEndAndNarrowsTheListToHim) {
  StartAsRoot({kAnna, kBohdan, kRoot});
  InUsersDialog([&] {
    SelectLine(1);
    Retype(userForm->PhoneEdit, "5559999");
    backend.Click(userForm->ModifyButton);

    EXPECT_EQ(TableNames(), (Names{"anna", "root", "bohdan"}));
    EXPECT_EQ(form->Users->GetUser(3).Phone.Value(), "5559999");
    EXPECT_EQ(form->CurrentUserName, "bohdan");
    EXPECT_EQ(Lines(), Names{"bohdan"});
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 0);
    EXPECT_EQ(ShownFields().phone, "5559999");
    Close();
  });
  // Only the name changes hands: root's log-in, caption and menu entries stay.
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90 - root"));
  EXPECT_TRUE(form->UsersItem->Enabled());
  EXPECT_EQ(ButtonCaptions(), (Names{"anna", "root", "bohdan"}));

  InUsersDialog([&] {
    EXPECT_EQ(Lines(), Names{"bohdan"});
    Close();
  });
}

TEST_F(UserFormTest, AnOrdinaryUserSeesHimselfOnly) {
  WriteUsers({kAnna, kBohdan, kRoot});
  StartWithDialogs();
  for (auto& button : form->UserButtons)
    if (button && button->Text() == "bohdan") backend.Click(*button);
  backend.Type(form->PassEdit, "b-pass");
  backend.PressEnter(form->PassEdit);
  ASSERT_TRUE(form->IsLoggedIn);

  backend.WhileNextModal([&](ui::FormPeer&) {
    EXPECT_EQ(Lines(), Names{"bohdan"});
    EXPECT_EQ(ShownFields(), kBohdan);
    Close();
  });
  form->UsersItemClick();
}

TEST_F(UserFormTest, ANameTheTableHadToCutListsNobodyAndLeavesNothingToSelectOrChange) {
  StartAsRoot({kAnna, kRoot});
  const std::string longName = "anna-with-a-long-name";  // 21 bytes; the table keeps 20
  InUsersDialog([&] {
    Retype(userForm->NameEdit, longName);
    backend.Click(userForm->ModifyButton);

    EXPECT_EQ(TableNames(), (Names{"root", "anna-with-a-long-nam"}));
    EXPECT_EQ(form->CurrentUserName, longName);
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(ShownFields(), (UserFields{}));

    backend.Click(userForm->ModifyButton);
    backend.Click(userForm->DeleteButton);
    EXPECT_EQ(TableNames(), (Names{"root", "anna-with-a-long-nam"}));
    EXPECT_TRUE(MessagesOfKind(ui::MessageKind::PlainYesNo).empty());
    Close();
  });
}

TEST_F(UserFormTest, AddingAppendsTheRecordAndSelectsItsLineButADuplicateNameIsRefused) {
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    FillFields({"anna", "x", "1", "l", "p"});
    backend.Click(userForm->AddButton);
    const auto refusals = MessagesOfKind(ui::MessageKind::Info);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].text, Cp("Вибачте, користувач з таким ім`ям уже є."));
    EXPECT_EQ(refusals[0].caption, backend.ApplicationTitle());
    EXPECT_EQ(TableNames(), (Names{"anna", "root"}));
    EXPECT_EQ(Lines(), (Names{"anna", "root"}));
    EXPECT_EQ(form->Users->FindUser("anna").Pass.Value(), "a-pass");

    FillFields(kBohdan);
    backend.Click(userForm->AddButton);
    EXPECT_EQ(TableNames(), (Names{"anna", "root", "bohdan"}));
    const data::UserRecord added = form->Users->GetUser(3);
    EXPECT_EQ((UserFields{added.Name.Value(), added.Pass.Value(), added.Phone.Value(),
                          added.Login.Value(), added.Password.Value()}),
              kBohdan);
    EXPECT_EQ(Lines(), (Names{"anna", "root", "bohdan"}));
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 2);
    EXPECT_EQ(ShownFields(), kBohdan);

    backend.AnswerNextMessageBox(ui::Answer::Yes);
    Close();
  });
  EXPECT_EQ(folder.Read("users.usr"), UsersFileBytes({kAnna, kRoot, kBohdan}));
  EXPECT_EQ(ButtonCaptions(), (Names{"anna", "root", "bohdan"}));
}

TEST_F(UserFormTest, AnEmptyNameIsAcceptedOnceAsAnEmptyLine) {
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    FillFields({"", "", "5550003", "", ""});
    backend.Click(userForm->AddButton);
    EXPECT_EQ(Lines(), (Names{"anna", "root", ""}));
    EXPECT_EQ(TableNames(), (Names{"anna", "root", ""}));
    EXPECT_TRUE(backend.Messages().empty());

    backend.Click(userForm->AddButton);
    EXPECT_EQ(MessagesOfKind(ui::MessageKind::Info).size(), 1u);
    EXPECT_EQ(TableNames().size(), 3u);
    backend.CloseBox(*userForm);
  });
}

TEST_F(UserFormTest, RenamingToANameAnotherRecordHasIsAcceptedAndLookupsFindTheEarlierOne) {
  StartAsRoot({kAnna, kBohdan, kRoot});
  InUsersDialog([&] {
    SelectLine(1);
    Retype(userForm->NameEdit, "anna");
    backend.Click(userForm->ModifyButton);

    EXPECT_EQ(TableNames(), (Names{"anna", "root", "anna"}));
    EXPECT_EQ(form->Users->GetUser(3).Phone.Value(), kBohdan.phone);
    EXPECT_EQ(Lines(), Names{"anna"});
    EXPECT_EQ(ShownFields(), kAnna);
    EXPECT_TRUE(MessagesOfKind(ui::MessageKind::Info).empty());
    backend.CloseBox(*userForm);
  });
}

TEST_F(UserFormTest, DeletingAsksByNameAndTheAnswerNoKeepsEverything) {
  StartAsRoot({kAnna, kBohdan, kRoot});
  InUsersDialog([&] {
    SelectLine(1);
    backend.AnswerNextMessageBox(ui::Answer::No);
    backend.Click(userForm->DeleteButton);

    const auto questions = MessagesOfKind(ui::MessageKind::PlainYesNo);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text,
              Cp("Ви дійсно бажаєте видалити інформацію користувача \"bohdan\"?"));
    EXPECT_EQ(questions[0].caption, Cp("Брумелка"));
    EXPECT_EQ(TableNames(), (Names{"anna", "bohdan", "root"}));
    EXPECT_EQ(Lines(), (Names{"anna", "bohdan", "root"}));
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 1);
    Close();
  });
  EXPECT_TRUE(MessagesOfKind(ui::MessageKind::Confirm).empty());
}

TEST_F(UserFormTest, DeletingTheFirstOfThreeShowsTheNewFirst) {
  StartAsRoot({kAnna, kBohdan, kRoot});
  InUsersDialog([&] {
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->DeleteButton);
    EXPECT_EQ(TableNames(), (Names{"bohdan", "root"}));
    EXPECT_EQ(Lines(), (Names{"bohdan", "root"}));
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 0);
    EXPECT_EQ(ShownFields(), kBohdan);
    EXPECT_TRUE(userForm->DeleteButton.Enabled());
    backend.CloseBox(*userForm);
  });
}

TEST_F(UserFormTest, DeletingTheThirdOfThreeShowsTheSecond) {
  StartAsRoot({kAnna, kRoot, kBohdan});
  InUsersDialog([&] {
    SelectLine(2);
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->DeleteButton);
    EXPECT_EQ(TableNames(), (Names{"anna", "root"}));
    EXPECT_EQ(Lines(), (Names{"anna", "root"}));
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 1);
    EXPECT_EQ(ShownFields(), kRoot);
    backend.CloseBox(*userForm);
  });
}

TEST_F(UserFormTest, DeletingTheOnlyUserEmptiesTheListAndDisablesDeleteTillTheNextShowing) {
  StartAsRoot({kRoot});
  InUsersDialog([&] {
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->DeleteButton);
    EXPECT_EQ(form->Users->Count(), 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(userForm->DeleteButton.Enabled());
    // The deleted user's values stay in the fields.
    EXPECT_EQ(ShownFields(), kRoot);
    backend.CloseBox(*userForm);
  });
  InUsersDialog([&] {
    EXPECT_TRUE(userForm->DeleteButton.Enabled());
    EXPECT_EQ(ShownFields(), (UserFields{}));
    const std::size_t questions = MessagesOfKind(ui::MessageKind::PlainYesNo).size();
    backend.Click(userForm->DeleteButton);
    EXPECT_EQ(MessagesOfKind(ui::MessageKind::PlainYesNo).size(), questions);
    backend.CloseBox(*userForm);
  });
}

TEST_F(UserFormTest, AnEleventhUserGetsALineButNoRecordAndHisLineTouchesNothingOutsideTheTable) {
  std::vector<UserFields> ten = {kRoot};
  for (char c = 'a'; c < 'j'; ++c) ten.push_back({std::string("user-") + c, "", "", "", ""});
  StartAsRoot(ten);
  Names tenNames;
  for (const UserFields& user : ten) tenNames.push_back(user.name);

  InUsersDialog([&] {
    FillFields({"kasia", "k", "5550011", "k-login", "k-net"});
    backend.Click(userForm->AddButton);
    EXPECT_EQ(TableNames(), tenNames);
    EXPECT_EQ(Lines().size(), 11u);
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 10);

    SelectLine(0);
    SelectLine(10);
    EXPECT_EQ(ShownFields(), (UserFields{}));

    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->DeleteButton);
    EXPECT_EQ(TableNames(), tenNames);
    EXPECT_EQ(Lines(), tenNames);
    EXPECT_EQ(userForm->UsersListBox.SelectedIndex(), 9);
    backend.CloseBox(*userForm);
  });
}

TEST_F(UserFormTest, ChangingTheLineOfAnEleventhUserStoresNothing) {
  std::vector<UserFields> ten = {kRoot};
  for (char c = 'a'; c < 'j'; ++c) ten.push_back({std::string("user-") + c, "", "", "", ""});
  StartAsRoot(ten);
  InUsersDialog([&] {
    FillFields({"kasia", "", "", "", ""});
    backend.Click(userForm->AddButton);
    Retype(userForm->PhoneEdit, "5550011");
    backend.Click(userForm->ModifyButton);
    EXPECT_EQ(form->Users->Count(), 10);
    EXPECT_EQ(form->Users->IndexOfUser("kasia"), -1);
    EXPECT_EQ(form->Users->GetUser(1).Phone.Value(), kRoot.phone);
    backend.CloseBox(*userForm);
  });
}

TEST_F(DialogsTest, TheMainWindowAndTheDialogsAreMadeInTheMiddleOfTheScreen) {
  StartWithDialogs();
  const ui::Size screen = backend.ScreenSize();
  for (const ui::Form* made :
       std::initializer_list<const ui::Form*>{form.get(), userForm.get(), configForm.get()}) {
    const ui::Rect frame = made->ScreenBounds();
    EXPECT_LE(std::abs(2 * frame.left + frame.width - screen.width), 1) << made->Caption();
    EXPECT_LE(std::abs(2 * frame.top + frame.height - screen.height), 1) << made->Caption();
  }
}
