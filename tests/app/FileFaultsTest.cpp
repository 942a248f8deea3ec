// The users file, the settings file and the log on a file system that refuses writes, is full,
// or isn't there: what was stored stays as it was, and every failure reaches the user the way
// the command that met it reports failures, never as a success.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/dialogs/DialogsFixture.h"
#include "tests/support/ScratchMount.h"

using text::Cp;

namespace {

const UserFields kRoot{"root", "", "", "", ""};
const UserFields kAnna{"anna", "secret", "5550001", "anna-login", "anna-net"};
const UserFields kOlena{"olena", "pw", "5550003", "olena-login", "olena-net"};

const std::string kLogFailed = Cp("Помилка логування.");
const std::string kUsersSaveFailed = Cp("Помилка збереження, вибачте.");
const std::string kSettingsSaveFailed = Cp("На жаль, помилка збереження.");
const std::string kOldLogLine = Cp("anna з`єднався 07.12.2026 о такій годині: 9:00:00\r\n");

class FileFaultsTest : public DialogsTest {
 protected:
  // Settings, users and log all in the settings folder (the one the mount covers).
  void WriteFiles() {
    profiles.Write("brumelka.ini", "Main", "Version", "0.90");
    profiles.Write("brumelka.ini", "Data files", "UsersFile", InSettingsFolder("users.usr"));
    profiles.Write("brumelka.ini", "Data files", "LogFileName", InSettingsFolder("connects.log"));
    profiles.Write("brumelka.ini", "Params", "IsMinimizeToTrayOnConnect", "0");
    WriteFile("users.usr", UsersFileBytes({kRoot, kAnna}));
    WriteFile("connects.log", kOldLogLine);
    remoteAccess.entries = {"Provider"};
  }

  std::string InSettingsFolder(const std::string& name) const {
    return (windowsFolder / name).string();
  }
  void WriteFile(const std::string& name, const std::string& bytes) const {
    folder.Write(windowsFolder.filename() / name, bytes);
  }
  std::string ReadFile(const std::string& name) const {
    return folder.Read(windowsFolder.filename() / name);
  }

  // Files of a whole block would flood the output with their bytes; the sizes tell enough.
  ::testing::AssertionResult Holds(const std::string& name, const std::string& before) const {
    const std::string now = ReadFile(name);
    if (now == before) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << name << " changed: " << before.size() << " bytes before, " << now.size()
           << " now, ending in \"" << now.substr(now.size() < 40 ? 0 : now.size() - 40) << "\"";
  }

  void LogInAs(const UserFields& user) {
    for (auto& button : form->UserButtons)
      if (button && button->Text() == user.name) backend.Click(*button);
    form->PassEdit.SetText("");
    backend.Type(form->PassEdit, user.pass);
    backend.PressEnter(form->PassEdit);
    ASSERT_TRUE(form->IsLoggedIn) << user.name;
  }

  // Anna dials and hangs up: two log entries.
  void DialAndHangUp() {
    LogInAs(kAnna);
    backend.Click(form->ConnectButton);
    ASSERT_EQ(remoteAccess.dials.size(), 1u);
    remoteAccess.Report(0x2000);
    backend.RunPosted();
    backend.Click(form->DisconnectButton);
  }

  // Root adds Olena in the users dialog and closes it agreeing to save.
  void AddOlenaAndSaveOnClose() {
    LogInAs(kRoot);
    InUsersDialog([&] {
      FillFields(kOlena);
      backend.Click(userForm->AddButton);
      backend.AnswerNextMessageBox(ui::Answer::Yes);
      backend.Click(userForm->CloseButton);
    });
    ASSERT_EQ(TableNames(), (std::vector<std::string>{"root", "anna", "olena"}));
  }

  void SaveSettingsTo(const std::string& fileName) {
    backend.PickNextFile(fileName);
    ChooseFromMainMenu(form->SaveSetupItem);
  }

  std::vector<std::string> InfoTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : MessagesOfKind(ui::MessageKind::Info)) texts.push_back(shown.text);
    return texts;
  }

  std::vector<std::string> FilesInSettingsFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(windowsFolder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

#ifndef _WIN32

TEST_F(FileFaultsTest, ReadOnlyFilesAreReadAndEveryWriteIntoThemIsReportedAsFailed) {
  testing_support::ScratchMount disk(windowsFolder, 64 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Problem();
  WriteFiles();
  const std::string settings = ReadFile("brumelka.ini");
  const std::string users = ReadFile("users.usr");
  ASSERT_TRUE(disk.MakeReadOnly());

  StartWithDialogs();
  EXPECT_TRUE(backend.Messages().empty());
  EXPECT_EQ(form->Setup->LogFileName, InSettingsFolder("connects.log"));
  EXPECT_EQ(TableNames(), (std::vector<std::string>{"root", "anna"}));

  DialAndHangUp();
  EXPECT_EQ(InfoTexts(), (std::vector<std::string>{kLogFailed, kLogFailed}));
  backend.ClearMessages();

  AddOlenaAndSaveOnClose();
  EXPECT_EQ(InfoTexts(), std::vector<std::string>{kUsersSaveFailed});
  backend.ClearMessages();

  SaveSettingsTo(InSettingsFolder("brumelka.ini"));
  EXPECT_EQ(InfoTexts(), std::vector<std::string>{kSettingsSaveFailed});

  EXPECT_TRUE(Holds("brumelka.ini", settings));
  EXPECT_TRUE(Holds("users.usr", users));
  EXPECT_TRUE(Holds("connects.log", kOldLogLine));
  EXPECT_EQ(FilesInSettingsFolder(),
            (std::vector<std::string>{"brumelka.ini", "connects.log", "users.usr"}));
}

// A file system hands out whole blocks: a file that ends inside its last block can still grow
// on a full disk. These end on a block boundary, so any growth needs a block there isn't.
constexpr std::size_t kBlock = 4096;

std::string FillingWholeBlocks(const std::string& text, const std::string& lineBefore) {
  std::string filled = text;
  while (filled.size() + 2 * lineBefore.size() < kBlock) filled.insert(0, lineBefore);
  const std::size_t rest = kBlock - filled.size();
  return std::string(rest - lineBefore.size(), 'a') + lineBefore + filled;
}

TEST_F(FileFaultsTest, OnAFullDiskTheStoredFilesKeepWhatTheyHeld) {
  testing_support::ScratchMount disk(windowsFolder, 64 * 1024);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Problem();
  WriteFiles();
  WriteFile("connects.log", FillingWholeBlocks(kOldLogLine, kOldLogLine));
  WriteFile("brumelka.ini", FillingWholeBlocks(ReadFile("brumelka.ini"), ";\r\n"));
  const std::string settings = ReadFile("brumelka.ini");
  const std::string users = ReadFile("users.usr");
  const std::string log = ReadFile("connects.log");
  ASSERT_EQ(settings.size(), kBlock);
  ASSERT_EQ(log.size(), kBlock);
  StartWithDialogs();
  ASSERT_TRUE(disk.Fill());

  DialAndHangUp();
  EXPECT_EQ(InfoTexts(), (std::vector<std::string>{kLogFailed, kLogFailed}));
  backend.ClearMessages();

  // A write that fails after its file was made is told by the save's result, which the users
  // dialog doesn't show; the file it would have replaced is untouched.
  AddOlenaAndSaveOnClose();
  EXPECT_TRUE(InfoTexts().empty());
  EXPECT_FALSE(form->Users->SaveToFile(form->Setup->UsersFile));
  EXPECT_TRUE(Holds("users.usr", users));

  SaveSettingsTo(InSettingsFolder("brumelka.ini"));
  EXPECT_EQ(InfoTexts(), std::vector<std::string>{kSettingsSaveFailed});
  EXPECT_TRUE(Holds("brumelka.ini", settings));
  EXPECT_TRUE(Holds("connects.log", log));
  EXPECT_EQ(FilesInSettingsFolder(),
            (std::vector<std::string>{"brumelka.ini", "connects.log", "filler", "users.usr"}));
}

#endif

TEST_F(FileFaultsTest, FilesInAFolderThatIsNotThereFailAsTheirCommandsSayAndMakeNoFolder) {
  // No settings folder: the defaults stay in force, silently, and root is seeded.
  std::filesystem::remove(windowsFolder);
  remoteAccess.entries = {"Provider"};
  StartWithDialogs();
  EXPECT_TRUE(backend.Messages().empty());
  EXPECT_EQ(form->Setup->UsersFile, "users.usr");
  ASSERT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(form->CurrentUserName, "root");

  InSettingsDialog([&] {
    Retype(configForm->UsersEdit, "missing/users.usr");
    Retype(configForm->LogEdit, "missing/connects.log");
    // The window stays in sight after the dial, for the commands that follow.
    if (configForm->IsMinimizeToTrayOnConnectCBox.Checked())
      backend.Click(configForm->IsMinimizeToTrayOnConnectCBox);
    backend.Click(configForm->OkButton);
  });
  ASSERT_EQ(form->Log->FileName, "missing/connects.log");
  EXPECT_TRUE(backend.Messages().empty());
  // The users file named now is missing too: root is seeded again, and logs in.
  LogInAs(kRoot);

  InUsersDialog([&] {
    FillFields(kAnna);
    backend.Click(userForm->AddButton);
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->CloseButton);
  });
  EXPECT_EQ(InfoTexts(), std::vector<std::string>{kUsersSaveFailed});
  backend.ClearMessages();

  DialAndHangUp();
  EXPECT_EQ(InfoTexts(), (std::vector<std::string>{kLogFailed, kLogFailed}));
  backend.ClearMessages();

  LogInAs(kRoot);
  SaveSettingsTo((folder.Path() / "missing" / "brumelka.ini").string());
  EXPECT_EQ(InfoTexts(), std::vector<std::string>{kSettingsSaveFailed});

  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "missing"));
  EXPECT_FALSE(std::filesystem::exists(windowsFolder));
}

}  // namespace
