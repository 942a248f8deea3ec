// The users dialog's files: opening and saving files of the user's choice, and the users file
// of the settings written on closing.

#include <string>
#include <vector>

#include "tests/dialogs/DialogsFixture.h"
#include "tests/support/UnopenableFile.h"

using text::Cp;
using Names = std::vector<std::string>;

namespace {

const UserFields kAnna{"anna", "a-pass", "5550001", "anna-login", "anna-net"};
const UserFields kBohdan{"bohdan", "b-pass", "5550002", "bohdan-login", "bohdan-net"};
const UserFields kRoot{"root", "", "777", "r-login", "r-net"};

class UserFormFilesTest : public DialogsTest {
 protected:
  void StartAsRoot(const std::vector<UserFields>& users) {
    WriteUsers(users);
    StartWithDialogs();
    for (auto& button : form->UserButtons)
      if (button && button->Text() == "root") backend.Click(*button);
    ASSERT_TRUE(form->IsLoggedIn);
  }
  void AddBohdan() {
    FillFields(kBohdan);
    backend.Click(userForm->AddButton);
  }
  std::string InFolder(const std::string& name) const { return (folder.Path() / name).string(); }
};

}  // namespace

TEST_F(UserFormFilesTest, OpenReplacesTheTableFromTheChosenFileButNotTheSettingsName) {
  StartAsRoot({kAnna, kRoot});
  folder.Write("other.usr", UsersFileBytes({kBohdan, kRoot}));
  InUsersDialog([&] {
    backend.PickNextFile(InFolder("other.usr"));
    backend.Click(userForm->OpenButton);
    EXPECT_EQ(TableNames(), (Names{"bohdan", "root"}));
    EXPECT_EQ(Lines(), (Names{"bohdan", "root"}));
    EXPECT_EQ(ShownFields(), kBohdan);
    backend.Click(userForm->CloseButton);
  });
  EXPECT_EQ(form->Setup->UsersFile, "users.usr");
  EXPECT_EQ(ButtonCaptions(), (Names{"bohdan", "root"}));
  EXPECT_TRUE(backend.Messages().empty());
  EXPECT_EQ(form->OpenDialog1.FileName(), InFolder("other.usr"));
}

TEST_F(UserFormFilesTest, OpenOfAMissingFileKeepsTheTable) {
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    AddBohdan();
    backend.PickNextFile(InFolder("missing.usr"));
    backend.Click(userForm->OpenButton);
    EXPECT_EQ(TableNames(), (Names{"anna", "root", "bohdan"}));
    EXPECT_EQ(Lines(), (Names{"anna", "root", "bohdan"}));
    EXPECT_TRUE(backend.Messages().empty());
    backend.Click(userForm->CloseButton);
  });
}

TEST_F(UserFormFilesTest, OpenOfAnUnopenableFileReportsItAndLeavesLinesWithoutRecords) {
  testing_support::UnopenableFile locked(folder.Path());
  if (!locked.Path()) GTEST_SKIP() << "this system offers no file that exists but can't be read";
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    backend.PickNextFile(*locked.Path());
    backend.Click(userForm->OpenButton);

    const auto reports = MessagesOfKind(ui::MessageKind::Info);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, Cp("Помилка відкривання, вибачте."));
    EXPECT_EQ(form->Users->Count(), 0);
    EXPECT_EQ(Lines(), (Names{"anna", "root"}));

    // The leftover lines name no record: selecting shows nothing, deleting deletes nothing.
    SelectLine(1);
    EXPECT_EQ(ShownFields(), (UserFields{}));
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->DeleteButton);
    EXPECT_EQ(form->Users->Count(), 0);
    EXPECT_EQ(Lines(), Names{"anna"});
    backend.CloseBox(*userForm);
  });
  EXPECT_FALSE(ErrorReported());
}

TEST_F(UserFormFilesTest, SaveWritesTheTableToTheChosenFileButNotTheSettingsFile) {
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    AddBohdan();
    backend.PickNextFile(InFolder("copy.usr"));
    backend.Click(userForm->SaveButton);
    backend.Click(userForm->CloseButton);
  });
  EXPECT_EQ(folder.Read("copy.usr"), UsersFileBytes({kAnna, kRoot, kBohdan}));
  EXPECT_EQ(folder.Read("users.usr"), UsersFileBytes({kAnna, kRoot}));
  EXPECT_EQ(form->Setup->UsersFile, "users.usr");
  EXPECT_TRUE(backend.Messages().empty());
}

TEST_F(UserFormFilesTest, SaveThatCannotCreateItsFileIsReported) {
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    backend.PickNextFile(InFolder("no-such-folder/copy.usr"));
    backend.Click(userForm->SaveButton);
    const auto reports = MessagesOfKind(ui::MessageKind::Info);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, Cp("Помилка збереження, вибачте."));
    EXPECT_EQ(reports[0].caption, backend.ApplicationTitle());
    backend.CloseBox(*userForm);
  });
}

TEST_F(UserFormFilesTest, CloseRebuildsTheStripAndWithYesWritesTheUsersFileOfTheSettings) {
  StartAsRoot({kAnna, kRoot});
  folder.Write("chosen.usr", "");
  form->Setup->UsersFile = "chosen.usr";
  InUsersDialog([&] {
    AddBohdan();
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->CloseButton);
  });
  const auto questions = MessagesOfKind(ui::MessageKind::Confirm);
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].text, Cp("Зберегти зміни в файл?"));
  EXPECT_EQ(folder.Read("chosen.usr"), UsersFileBytes({kAnna, kRoot, kBohdan}));
  EXPECT_EQ(folder.Read("users.usr"), UsersFileBytes({kAnna, kRoot}));
  EXPECT_EQ(ButtonCaptions(), (Names{"anna", "root", "bohdan"}));
}

TEST_F(UserFormFilesTest, CloseAnsweredNoWritesNothingButTheStripShowsTheChange) {
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    AddBohdan();
    backend.AnswerNextMessageBox(ui::Answer::No);
    backend.Click(userForm->CloseButton);
  });
  EXPECT_EQ(MessagesOfKind(ui::MessageKind::Confirm).size(), 1u);
  EXPECT_EQ(folder.Read("users.usr"), UsersFileBytes({kAnna, kRoot}));
  EXPECT_EQ(ButtonCaptions(), (Names{"anna", "root", "bohdan"}));
  EXPECT_EQ(TableNames(), (Names{"anna", "root", "bohdan"}));
}

TEST_F(UserFormFilesTest, CloseThatCannotWriteTheUsersFileReportsItAndStillCloses) {
  StartAsRoot({kAnna, kRoot});
  form->Setup->UsersFile = InFolder("no-such-folder/users.usr");
  InUsersDialog([&] {
    AddBohdan();
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->CloseButton);
  });
  const auto reports = MessagesOfKind(ui::MessageKind::Info);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, Cp("Помилка збереження, вибачте."));
  EXPECT_FALSE(userForm->Visible());
}

TEST_F(UserFormFilesTest, TheCloseBoxNeitherRebuildsTheStripNorAsks) {
  StartAsRoot({kAnna, kRoot});
  InUsersDialog([&] {
    AddBohdan();
    backend.CloseBox(*userForm);
  });
  EXPECT_FALSE(userForm->Visible());
  EXPECT_TRUE(form->Peer().Enabled());
  EXPECT_TRUE(backend.Messages().empty());
  EXPECT_EQ(ButtonCaptions(), (Names{"anna", "root"}));
  EXPECT_EQ(TableNames(), (Names{"anna", "root", "bohdan"}));
  EXPECT_EQ(folder.Read("users.usr"), UsersFileBytes({kAnna, kRoot}));
}
