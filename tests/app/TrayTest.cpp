// The tray icon of the main window: when it comes and goes, and what its mouse buttons do.

#include "platform/headless/HeadlessPeers.h"
#include "tests/app/MainWindowFixture.h"

using text::Cp;

namespace {

using platform::NotifyIconAction;

constexpr std::uint32_t kTrayIcon = 1025;

class TrayTest : public MainWindowTest {
 protected:
  void ShowIconAtStart(bool show) {
    profiles.Write("brumelka.ini", "Main", "Version", "0.90");
    profiles.Write("brumelka.ini", "Params", "IsShowInTrayOnStartup", show ? "1" : "0");
  }

  // Anna logged in, one phone-book entry.
  void StartLoggedIn() {
    remoteAccess.entries = {"Provider"};
    WriteUsers({{"anna", "secret", "5550001", "anna-login", "anna-net"}});
    Start();
    LogIn();
  }

  void LogIn() {
    backend.Click(*form->UserButtons[0]);
    backend.Type(form->PassEdit, "secret");
    backend.PressEnter(form->PassEdit);
    ASSERT_TRUE(form->IsLoggedIn);
  }

  void Mouse(std::intptr_t mouseMessage) {
    EXPECT_TRUE(backend.SendMessage(*form, kTrayIcon, 0, mouseMessage));
  }

  const headless::HeadlessForm& Peer() const {
    return dynamic_cast<const headless::HeadlessForm&>(form->Peer());
  }

  static std::string Tip(const platform::NotifyIconData& data) { return data.szTip.data(); }

  std::size_t Adds() const {
    return std::count_if(notifyIcons.calls.begin(), notifyIcons.calls.end(),
                         [](const auto& call) { return call.action == NotifyIconAction::Add; });
  }
};

}  // namespace

TEST_F(TrayTest, IconAtStartCarriesThePlainTitleAlsoWhenRootIsLetInAfterIt) {
  ShowIconAtStart(true);
  Start();  // no users file: root is seeded and logged in after the icon is added
  ASSERT_EQ(form->Caption(), Cp("Брумелка 0.90 - root"));

  ASSERT_EQ(notifyIcons.calls.size(), 1u);
  const auto& [action, icon] = notifyIcons.calls[0];
  EXPECT_EQ(action, NotifyIconAction::Add);
  EXPECT_EQ(icon.cbSize, 88u);
  EXPECT_EQ(icon.hWnd, form->Peer().NativeHandle());
  EXPECT_EQ(icon.uID, 0u);
  EXPECT_EQ(icon.uFlags, 7u);
  EXPECT_EQ(icon.uCallbackMessage, 1025u);
  EXPECT_EQ(icon.hIcon, 0x1C0u);
  EXPECT_EQ(Tip(icon), Cp("Брумелка 0.90"));
  EXPECT_EQ(form->Tray->IconData.cbSize, 88u);
  EXPECT_TRUE(form->Visible());
}

TEST_F(TrayTest, NoIconAtStartWithoutTheSetting) {
  ShowIconAtStart(false);
  Start();
  EXPECT_TRUE(notifyIcons.calls.empty());
  EXPECT_EQ(form->Tray->IconData.cbSize, 0u);
}

TEST_F(TrayTest, DialAddsTheIconWithTheUsersTitleOnceAndItOutlastsTheHangUp) {
  StartLoggedIn();
  form->ConnectButtonClick();
  EXPECT_FALSE(form->Visible());
  ASSERT_EQ(notifyIcons.calls.size(), 1u);
  EXPECT_EQ(Tip(notifyIcons.calls[0].data), Cp("Брумелка 0.90 - anna"));

  form->DisconnectButtonClick();
  Mouse(0x0201);  // the window back, to log in again
  LogIn();
  form->ConnectButtonClick();
  // Shown already: nothing is sent, and the tip keeps the title it was added with.
  EXPECT_EQ(notifyIcons.calls.size(), 1u);
  EXPECT_TRUE(notifyIcons.IconShown());
}

TEST_F(TrayTest, SettingsConfirmedWithTheOptionClearTakeADialsIconAwayAndLeaveTheWindowHidden) {
  StartLoggedIn();
  form->ConnectButtonClick();
  ASSERT_TRUE(notifyIcons.IconShown());
  ASSERT_FALSE(form->Visible());

  form->Setup->IsShowInTrayOnStartup = false;
  form->Initialize();
  ASSERT_EQ(notifyIcons.calls.size(), 2u);
  EXPECT_EQ(notifyIcons.calls[1].action, NotifyIconAction::Delete);
  // The shell finds the icon by the window and the id it was added with.
  EXPECT_EQ(notifyIcons.calls[1].data.hWnd, notifyIcons.calls[0].data.hWnd);
  EXPECT_EQ(notifyIcons.calls[1].data.uID, 0u);
  EXPECT_EQ(form->Tray->IconData.cbSize, 0u);
  EXPECT_FALSE(form->Visible());

  form->Initialize();  // no icon, nothing to delete
  EXPECT_EQ(notifyIcons.calls.size(), 2u);
}

TEST_F(TrayTest, SettingsConfirmedWithTheOptionSetKeepTheIconAndItsTip) {
  StartLoggedIn();
  form->ConnectButtonClick();
  form->Setup->IsShowInTrayOnStartup = true;
  form->Initialize();
  EXPECT_EQ(notifyIcons.calls.size(), 1u);
  EXPECT_EQ(Tip(form->Tray->IconData), Cp("Брумелка 0.90 - anna"));
}

TEST_F(TrayTest, LeftClickHidesAVisibleWindowAndRestoresAHiddenOne) {
  ShowIconAtStart(true);
  Start();
  Mouse(0x0201);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(notifyIcons.IconShown());

  backend.Minimize(*form);
  Mouse(0x0201);
  EXPECT_TRUE(Peer().Visible());
  EXPECT_FALSE(Peer().Minimized());
  EXPECT_TRUE(Peer().InFront());
  EXPECT_EQ(notifyIcons.calls.size(), 1u);
}

TEST_F(TrayTest, RightClickOpensTheTrayMenuAtTheCursorAndRunsTheChosenEntry) {
  ShowIconAtStart(true);
  Start();
  notifyIcons.cursor = {1210, 742};
  backend.ChooseNextMenuItem(form->HideItem);
  Mouse(0x0204);

  ASSERT_EQ(backend.Popups().size(), 1u);
  EXPECT_EQ(backend.Popups()[0].menu, &form->PopupMenuTray);
  EXPECT_EQ(backend.Popups()[0].at, (ui::Point{1210, 742}));
  EXPECT_FALSE(form->Visible());
}

TEST_F(TrayTest, MiddleClickHangsUpOnlyWhileSomeoneIsLoggedIn) {
  remoteAccess.entries = {"Provider"};
  WriteUsers({{"anna", "secret", "5550001", "anna-login", "anna-net"}});
  Start();
  Mouse(0x0207);
  EXPECT_TRUE(remoteAccess.hangUps.empty());

  LogIn();
  form->ConnectButtonClick();
  remoteAccess.Report(0x2000);
  backend.RunPosted();
  Mouse(0x0207);
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_FALSE(form->IsLoggedIn);
  EXPECT_EQ(form->Label1.Text(), Cp("Роз`єднано."));
  EXPECT_NE(folder.Read("connects.log").find("anna " + Cp("розз`єднався")), std::string::npos);
  // The window stays where it was; the icon stays too.
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(notifyIcons.IconShown());
}

TEST_F(TrayTest, OtherMouseMessagesAreIgnored) {
  StartLoggedIn();
  // Move, the buttons' releases and double clicks.
  for (std::intptr_t message : {0x0200, 0x0202, 0x0203, 0x0205, 0x0206, 0x0208, 0x0209}) {
    Mouse(message);
    EXPECT_TRUE(form->Visible()) << message;
  }
  EXPECT_TRUE(backend.Popups().empty());
  EXPECT_TRUE(remoteAccess.hangUps.empty());
  EXPECT_TRUE(form->IsLoggedIn);
}

TEST_F(TrayTest, MinimisingHidesTheWindowAlsoWithoutAnIconAndASecondCopyBringsItBack) {
  Start();
  backend.Minimize(*form);
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(notifyIcons.calls.empty());

  backend.SendMessage(*form, TForm1::WM_ACTIVATEFORM);
  EXPECT_TRUE(Peer().Visible());
  EXPECT_FALSE(Peer().Minimized());
}

TEST_F(TrayTest, MinimisingStillHidesAfterTheSettingsAreConfirmed) {
  Start();
  form->Initialize();
  backend.Minimize(*form);
  EXPECT_FALSE(form->Visible());
}

TEST_F(TrayTest, ClosingTheWindowOrExitTakesTheIconAway) {
  for (bool exitCommand : {false, true}) {
    SCOPED_TRACE(exitCommand ? "exit" : "close box");
    notifyIcons.calls.clear();
    ShowIconAtStart(true);
    Start();
    if (exitCommand) {
      backend.ChooseNextMenuItem(form->N5);
      Mouse(0x0204);
    } else {
      backend.CloseBox(*form);
    }
    ASSERT_EQ(notifyIcons.calls.size(), 2u);
    EXPECT_EQ(notifyIcons.calls[1].action, NotifyIconAction::Delete);
    EXPECT_TRUE(Peer().Destroyed());
    form.reset();
  }
}

TEST_F(TrayTest, TaskbarMadeAnewGetsTheShownIconAgain) {
  StartLoggedIn();
  EXPECT_TRUE(backend.SendMessage(*form, notifyIcons.taskbarCreated));
  EXPECT_TRUE(notifyIcons.calls.empty());  // no icon shown: nothing to hand over

  form->ConnectButtonClick();
  backend.SendMessage(*form, notifyIcons.taskbarCreated);
  ASSERT_EQ(notifyIcons.calls.size(), 2u);
  EXPECT_EQ(notifyIcons.calls[1].action, NotifyIconAction::Add);
  EXPECT_EQ(Tip(notifyIcons.calls[1].data), Cp("Брумелка 0.90 - anna"));
  EXPECT_EQ(notifyIcons.calls[1].data.cbSize, 88u);
}
