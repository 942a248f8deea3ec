// The main menu's "Відкрити настройки" and "Зберегти настройки": a settings file of the
// user's choice, loaded or written, and the outcome in a message box.

#include <filesystem>
#include <string>

#include "platform/headless/HeadlessPeers.h"
#include "tests/app/MainWindowFixture.h"

using text::Cp;

namespace {

class SettingsCommandsTest : public MainWindowTest {
 protected:
  // First start: root is seeded and logged in, so the settings entries are enabled.
  void StartAsRoot() {
    Start();
    ASSERT_TRUE(form->OpenSetupItem->Enabled());
  }
  void Choose(ui::MenuItem* item) {
    backend.ChooseNextMenuItem(item);
    backend.Click(form->MenuLabel);
  }
  std::string InFolder(const std::string& name) const {
    return (std::filesystem::current_path() / name).string();
  }
  std::string OnlyReport() const {
    if (backend.Messages().size() != 1)
      return "<" + std::to_string(backend.Messages().size()) + ">";
    const headless::ShownMessage& shown = backend.Messages()[0];
    EXPECT_EQ(shown.kind, ui::MessageKind::Info);
    EXPECT_EQ(shown.caption, backend.ApplicationTitle());
    return shown.text;
  }
  bool InFront() const {
    return dynamic_cast<const headless::HeadlessForm&>(form->Peer()).InFront();
  }
};

}  // namespace

TEST_F(SettingsCommandsTest, OpenLoadsTheChosenFileReportsItAndWaitsForOkToApplyIt) {
  StartAsRoot();
  folder.Write("other.ini",
               "[Main]\r\nVersion=0.90\r\n[Data files]\r\nUsersFile=other.usr\r\n"
               "LogFileName=other.log\r\n[Params]\r\nIsMinimizeToTrayOnConnect=0\r\n"
               "TimeLogMinuteInterval=45\r\n");
  backend.PickNextFile(InFolder("other.ini"));
  Choose(form->OpenSetupItem);

  EXPECT_EQ(OnlyReport(), Cp("Настройки були успішно завантажені."));
  EXPECT_EQ(form->Setup->SetupFileName, InFolder("other.ini"));
  EXPECT_EQ(form->Setup->UsersFile, "other.usr");
  EXPECT_EQ(form->Setup->TimeLogMinuteInterval, 45);
  EXPECT_FALSE(form->Setup->IsMinimizeToTrayOnConnect);
  // Nothing is applied before the settings dialog is confirmed.
  EXPECT_EQ(form->Timer1.Interval(), 10 * 60000u);
  EXPECT_EQ(form->Log->FileName, "connects.log");
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_TRUE(InFront());
}

TEST_F(SettingsCommandsTest, OpenOfAFileThatIsNotASettingsFileReportsItAndChangesOnlyTheName) {
  StartAsRoot();
  folder.Write("notes.ini", "[Other]\r\nUsersFile=other.usr\r\n");
  backend.PickNextFile(InFolder("notes.ini"));
  Choose(form->OpenSetupItem);

  EXPECT_EQ(OnlyReport(), Cp("На жаль, помилка відкриття."));
  EXPECT_EQ(form->Setup->SetupFileName, InFolder("notes.ini"));
  EXPECT_EQ(form->Setup->UsersFile, "users.usr");
  EXPECT_EQ(form->Setup->TimeLogMinuteInterval, 10);
}

TEST_F(SettingsCommandsTest, SaveWritesTheChosenFileAndKeepsTheSettingsName) {
  StartAsRoot();
  form->Setup->TimeLogMinuteInterval = 33;
  backend.PickNextFile(InFolder("copy.ini"));
  Choose(form->SaveSetupItem);

  EXPECT_EQ(OnlyReport(), Cp("Настройки були успішно збережені."));
  EXPECT_EQ(form->Setup->SetupFileName, "brumelka.ini");
  const std::string written = folder.Read("copy.ini");
  EXPECT_NE(written.find("TimeLogMinuteInterval=33"), std::string::npos) << written;
  EXPECT_NE(written.find("UsersFile=users.usr"), std::string::npos) << written;
  EXPECT_TRUE(InFront());
}

TEST_F(SettingsCommandsTest, SaveThatCannotWriteReportsIt) {
  StartAsRoot();
  backend.PickNextFile(InFolder("no-such-folder/copy.ini"));
  Choose(form->SaveSetupItem);
  EXPECT_EQ(OnlyReport(), Cp("На жаль, помилка збереження."));
}

TEST_F(SettingsCommandsTest, CancelledFileDialogsDoNothing) {
  StartAsRoot();
  backend.CancelNextFileDialog();
  Choose(form->OpenSetupItem);
  backend.CancelNextFileDialog();
  Choose(form->SaveSetupItem);
  EXPECT_TRUE(backend.Messages().empty());
  EXPECT_EQ(form->Setup->SetupFileName, "brumelka.ini");
  EXPECT_FALSE(InFront());
}

TEST_F(SettingsCommandsTest, RootsCommandsRefuseAnybodyElseWhicheverWayTheyAreReached) {
  WriteUsers({{"root", "rootpw", "", "", ""}, {"bob", "bobpw", "", "", ""}});
  folder.Write("bob.usr", UsersFileBytes({{"root", "", "", "", ""}}));
  folder.Write("other.ini", "[Main]\r\nVersion=0.90\r\n[Data files]\r\nUsersFile=bob.usr\r\n");
  int dialogsMade = 0;
  Start();
  form->MakeUserForm = [&]() -> dialogs::TUserForm* { return ++dialogsMade, nullptr; };
  form->MakeConfigForm = [&]() -> dialogs::TConfigForm* { return ++dialogsMade, nullptr; };

  const auto tryEverything = [&](const char* who) {
    SCOPED_TRACE(who);
    EXPECT_FALSE(form->N14->Enabled());
    EXPECT_FALSE(form->SetupItem->Enabled());
    form->N14->OnClick();
    form->SetupItemClick();
    form->UsersItemClick();
    backend.PickNextFile(InFolder("other.ini"));
    form->OpenSetupItemClick();
    backend.PickNextFile(InFolder("saved.ini"));
    form->SaveSetupItemClick();
    backend.PickNextFile(InFolder("bob.usr"));
    form->LoadUsersItemClick();
    form->ClearUsersItemClick();
    EXPECT_EQ(dialogsMade, 0);
    EXPECT_TRUE(backend.Messages().empty());
    EXPECT_EQ(form->Setup->UsersFile, "users.usr");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "saved.ini"));
    EXPECT_EQ(form->Users->Count(), 2);
  };
  tryEverything("nobody");
  for (auto& button : form->UserButtons)
    if (button && button->Text() == "bob") backend.Click(*button);
  backend.Type(form->PassEdit, "bobpw");
  backend.PressEnter(form->PassEdit);
  ASSERT_TRUE(form->IsLoggedIn);
  tryEverything("bob");

  // Root gets them, the tray's settings item among them, until he logs out.
  form->ChangeUserItemClick();
  for (auto& button : form->UserButtons)
    if (button && button->Text() == "root") backend.Click(*button);
  backend.Type(form->PassEdit, "rootpw");
  backend.PressEnter(form->PassEdit);
  ASSERT_TRUE(form->N14->Enabled());
  form->N14->OnClick();
  EXPECT_EQ(dialogsMade, 1);
  form->ChangeUserItemClick();
  EXPECT_FALSE(form->N14->Enabled());
}
