// The settings dialog: what it shows, what OK applies, and what Cancel leaves.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/dialogs/DialogsFixture.h"

using text::Cp;

namespace {

const UserFields kAnna{"anna", "a-pass", "5550001", "anna-login", "anna-net"};
const UserFields kRoot{"root", "", "", "", ""};

class ConfigFormTest : public DialogsTest {
 protected:
  // With the system's own separators, as a full path is shown.
  std::string InCurrentFolder(const std::string& name) const {
    return (std::filesystem::current_path() / std::filesystem::path(name).make_preferred())
        .string();
  }
  // Root, whose password is empty, logs in with one click on his button.
  void LogInRoot() {
    for (auto& button : form->UserButtons)
      if (button && button->Text() == "root") backend.Click(*button);
    ASSERT_TRUE(form->IsLoggedIn);
  }
  // The tray menu's "Настройки..", root's only like its twin in the main menu.
  void InSettingsDialogFromTray(const std::function<void()>& script) {
    backend.WhileNextModal([script](ui::FormPeer&) { script(); });
    backend.ChooseNextMenuItem(form->N14);
    form->PopupMenuTray.Popup({0, 0});
  }
};

}  // namespace

TEST_F(ConfigFormTest, ShowsTheSettingsWithRelativeNamesAsFullPathsWhileTheMainWindowWaits) {
  StartWithDialogs();
  data::TSetup& setup = *form->Setup;
  setup.UsersFile = "data/people.usr";
  const std::string absoluteLog = InCurrentFolder("logs/calls.log");
  setup.LogFileName = absoluteLog;
  setup.IsMinimizeToTrayOnConnect = false;
  setup.IsShowInTrayOnStartup = true;
  setup.TimeLogMinuteInterval = -5;

  bool mainWindowEnabled = true;
  InSettingsDialog([&] {
    mainWindowEnabled = form->Peer().Enabled();
    EXPECT_EQ(configForm->UsersEdit.Text(), InCurrentFolder("data/people.usr"));
    EXPECT_EQ(configForm->LogEdit.Text(), absoluteLog);
    EXPECT_FALSE(configForm->IsMinimizeToTrayOnConnectCBox.Checked());
    EXPECT_TRUE(configForm->IsShowInTrayOnStartupCBox.Checked());
    EXPECT_EQ(configForm->IntervalEdit.Text(), "-5");
    EXPECT_TRUE(configForm->UsersEdit.Focused());
    backend.Click(configForm->CancelButton);
  });
  EXPECT_FALSE(mainWindowEnabled);
  EXPECT_TRUE(form->Peer().Enabled());
  EXPECT_EQ(configForm->Caption(), Cp("Настройки"));
  EXPECT_EQ(setup.UsersFile, "data/people.usr");
}

TEST_F(ConfigFormTest, OkStoresTheFullPathsOfTheCurrentDirectoryAndAppliesThem) {
  WriteUsers({kAnna, kRoot});
  std::filesystem::create_directories(folder.Path() / "elsewhere");
  folder.Write("elsewhere/users.usr", UsersFileBytes({kRoot}));
  StartWithDialogs();
  // A file dialog elsewhere has moved the current directory since the start.
  std::filesystem::current_path(folder.Path() / "elsewhere");
  const std::string users = InCurrentFolder("users.usr");
  LogInRoot();
  InSettingsDialogFromTray([&] { backend.Click(configForm->OkButton); });

  EXPECT_EQ(form->Setup->UsersFile, users);
  EXPECT_EQ(form->Setup->LogFileName, InCurrentFolder("connects.log"));
  EXPECT_EQ(form->Log->FileName, InCurrentFolder("connects.log"));
  EXPECT_EQ(ButtonCaptions(), std::vector<std::string>{"root"});
  EXPECT_FALSE(configForm->Visible());
  EXPECT_FALSE(ErrorReported());
}

TEST_F(ConfigFormTest, OkWhileAUserIsLoggedInLogsHimOut) {
  WriteUsers({kAnna, kRoot});
  StartWithDialogs();
  LogInRoot();

  InSettingsDialogFromTray([&] { backend.Click(configForm->OkButton); });

  EXPECT_FALSE(form->IsLoggedIn);
  EXPECT_EQ(form->CurrentUserName, "");
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  EXPECT_FALSE(form->TurnOffItem->Enabled());
}

TEST_F(ConfigFormTest, TheTrayEntryIsRefusedWhileNobodyIsLoggedInAndWorksForRoot) {
  WriteUsers({kAnna, kRoot});
  StartWithDialogs();
  ASSERT_FALSE(form->IsLoggedIn);
  bool shown = false;
  InSettingsDialogFromTray([&] { shown = true; });
  EXPECT_FALSE(shown);

  LogInRoot();
  InSettingsDialogFromTray([&] {
    shown = true;
    Retype(configForm->IntervalEdit, "25");
    backend.Click(configForm->OkButton);
  });
  EXPECT_TRUE(shown);
  EXPECT_EQ(form->Setup->TimeLogMinuteInterval, 25);
  EXPECT_EQ(form->Timer1.Interval(), 25 * 60000u);
}

TEST_F(ConfigFormTest, CancelTheCloseBoxAndTheBrowseButtonsStoreNothing) {
  StartWithDialogs();
  const data::TSetup before = *form->Setup;
  InSettingsDialog([&] {
    Retype(configForm->UsersEdit, "people.usr");
    Retype(configForm->IntervalEdit, "99");
    backend.Click(configForm->IsShowInTrayOnStartupCBox);
    backend.Click(configForm->Button3);
    backend.Click(configForm->Button4);
    EXPECT_TRUE(configForm->Visible());
    backend.Click(configForm->CancelButton);
  });
  InSettingsDialog([&] {
    // Each showing starts from the settings, not from what was typed last time.
    EXPECT_EQ(configForm->IntervalEdit.Text(), "10");
    Retype(configForm->IntervalEdit, "99");
    backend.CloseBox(*configForm);
  });
  EXPECT_EQ(form->Setup->UsersFile, before.UsersFile);
  EXPECT_EQ(form->Setup->TimeLogMinuteInterval, before.TimeLogMinuteInterval);
  EXPECT_EQ(form->Setup->IsShowInTrayOnStartup, before.IsShowInTrayOnStartup);
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_TRUE(backend.Messages().empty());
}

TEST_F(ConfigFormTest, KeyboardOrderRunsThroughTheGroupsThenOkCancelOpenSave) {
  StartWithDialogs();
  const std::vector<ui::Control*> all = {&configForm->UsersEdit,
                                         &configForm->Button3,
                                         &configForm->LogEdit,
                                         &configForm->Button4,
                                         &configForm->IsMinimizeToTrayOnConnectCBox,
                                         &configForm->IsShowInTrayOnStartupCBox,
                                         &configForm->IntervalEdit,
                                         &configForm->OkButton,
                                         &configForm->CancelButton,
                                         &configForm->OpenButton,
                                         &configForm->SaveButton};
  std::vector<ui::Control*> visited;
  InSettingsDialog([&] {
    for (std::size_t step = 0; step < all.size(); ++step) {
      for (ui::Control* control : all)
        if (control->Focused()) visited.push_back(control);
      backend.PressTab(*configForm);
    }
    backend.Click(configForm->CancelButton);
  });
  EXPECT_EQ(visited, all);
}

TEST_F(ConfigFormTest, OpenFromTheDialogShowsTheLoadedSettingsButAppliesNothingYet) {
  StartWithDialogs();
  folder.Write("other.ini",
               "[Main]\r\nVersion=0.90\r\n[Data files]\r\nUsersFile=other.usr\r\n"
               "LogFileName=other.log\r\n[Params]\r\nIsMinimizeToTrayOnConnect=0\r\n"
               "TimeLogMinuteInterval=45\r\n");
  const std::string chosen = InCurrentFolder("other.ini");
  InSettingsDialog([&] {
    backend.PickNextFile(chosen);
    backend.Click(configForm->OpenButton);
    EXPECT_TRUE(configForm->Visible());
    EXPECT_EQ(configForm->UsersEdit.Text(), InCurrentFolder("other.usr"));
    EXPECT_EQ(configForm->LogEdit.Text(), InCurrentFolder("other.log"));
    EXPECT_FALSE(configForm->IsMinimizeToTrayOnConnectCBox.Checked());
    EXPECT_EQ(configForm->IntervalEdit.Text(), "45");
    backend.Click(configForm->CancelButton);
  });
  const auto reports = MessagesOfKind(ui::MessageKind::Info);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].text, Cp("Настройки були успішно завантажені."));
  EXPECT_EQ(form->Setup->SetupFileName, chosen);
  EXPECT_EQ(form->Timer1.Interval(), 10 * 60000u);
  EXPECT_EQ(form->Log->FileName, "connects.log");
}

TEST_F(ConfigFormTest, TheDialogIsNotOpenedIntoItselfFromTheTray) {
  WriteUsers({kAnna, kRoot});
  StartWithDialogs();
  LogInRoot();
  const std::size_t popups = backend.Popups().size();
  InSettingsDialogFromTray([&] {
    form->N14->OnClick();
    form->TrayMessage(0x0204);
    backend.Click(configForm->CancelButton);
  });
  EXPECT_FALSE(ErrorReported());
  EXPECT_EQ(backend.Popups().size(), popups + 1);  // the one that opened it
  EXPECT_FALSE(configForm->Visible());
}
