// Dialling the chosen entry, the refusal box, hang-up, the line's watch, the release the next
// dial and the end wait for, the periodic mark and the log command.

#include <thread>
#include <vector>

#include "platform/headless/HeadlessPeers.h"
#include "tests/app/MainWindowFixture.h"

using text::Cp;

namespace {

const UserFields kAnna{"anna", "secret", "5550001", "anna-login", "anna-net"};

class DialTest : public MainWindowTest {
 protected:
  // Anna logged in, with two phone-book entries listed.
  void StartLoggedIn() {
    remoteAccess.entries = {"Provider", Cp("Резервний")};
    WriteUsers({kAnna, {"bohdan", "", "", "", ""}});
    Start();
    LogIn("anna", "secret");
  }

  void LogIn(const std::string& name, const std::string& pass) {
    for (auto& button : form->UserButtons)
      if (button && button->Text() == name) backend.Click(*button);
    backend.Type(form->PassEdit, pass);
    backend.PressEnter(form->PassEdit);
    ASSERT_TRUE(form->IsLoggedIn);
  }

  // The service reports the line up, and the report reaches the window.
  void ComeUp() {
    remoteAccess.Report(0x2000);
    backend.RunPosted();
  }

  void DialAndComeUp() {
    form->ConnectButtonClick();
    ComeUp();
  }

  // One look of the line's watch.
  void WatchOnce() { backend.AdvanceClock(TForm1::kLineCheckMs); }

  std::string Log() const { return folder.Read("connects.log"); }

  static std::string Line(const std::string& user, const std::string& action) {
    return user + " " + action + Cp(" 08.12.2026 о такій годині: 6:45:54\r\n");
  }

  void SetUp() override { clock.Set({2026, 12, 8, 6, 45, 54, 0}); }
};

}  // namespace

TEST_F(DialTest, PhoneBookEntriesAreListedInServiceOrderWithNoneSelected) {
  StartLoggedIn();
  ASSERT_EQ(form->ConnectionListBox.Count(), 2);
  EXPECT_EQ(form->ConnectionListBox.Item(1), Cp("Резервний"));
  EXPECT_EQ(form->ConnectionListBox.SelectedIndex(), -1);
}

TEST_F(DialTest, FailedListingLeavesTheListEmptyAndTheDialSaysSo) {
  remoteAccess.entries = {"Provider"};
  remoteAccess.enumResult = 603;
  Start();
  EXPECT_EQ(form->ConnectionListBox.Count(), 0);
  EXPECT_TRUE(backend.Messages().empty());

  form->ConnectButtonClick();
  EXPECT_EQ(form->Label1.Text(), Cp("Немає доступних з`єднань."));
  EXPECT_TRUE(remoteAccess.dialParamsEntries.empty());
}

TEST_F(DialTest, NobodyLoggedInIsAskedToChooseANameAndNothingIsDialled) {
  remoteAccess.entries = {"Provider"};
  WriteUsers({kAnna});
  Start();
  backend.Click(form->ConnectButton);
  EXPECT_EQ(form->Label1.Text(), Cp("Виберіть своє ім`я і введіть пароль."));
  EXPECT_TRUE(remoteAccess.dialParamsEntries.empty());
  EXPECT_TRUE(remoteAccess.dials.empty());
}

TEST_F(DialTest, AcceptedDialUsesTheFieldsOverTheStoredParametersAndLogsTheConnectOnceUp) {
  StartLoggedIn();
  form->PhoneEdit.SetText("");  // an emptied field goes out empty
  backend.Click(form->ConnectButton);

  EXPECT_EQ(form->ConnectionListBox.SelectedIndex(), 0);
  ASSERT_EQ(remoteAccess.dials.size(), 1u);
  const auto& dial = remoteAccess.dials[0];
  EXPECT_EQ(dial.entry, "Provider");
  EXPECT_EQ(dial.phone, "");
  EXPECT_EQ(dial.userName, "anna-login");
  EXPECT_EQ(dial.password, "anna-net");
  EXPECT_EQ(dial.size, 1052u);
  // What only the service fills in is kept.
  EXPECT_EQ(dial.callback, "cb-123");
  EXPECT_EQ(dial.domain, "DOM");
  EXPECT_EQ(dial.handleBefore, 0u);
  EXPECT_EQ(form->ConnectionHandle, 0x77u);
  // The settings send the window away after the dial; the status line is the notifier's.
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->Label1.Text(), Cp("Змінено користувача на \"anna\"."));
  // Accepted is not connected: the log and the marks wait for the line.
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(Log(), "");
  ComeUp();
  EXPECT_TRUE(form->Timer1.Enabled());
  EXPECT_EQ(Log(), Line("anna", Cp("з`єднався")));
  remoteAccess.Report(0x2000);  // said twice, logged once
  backend.RunPosted();
  EXPECT_EQ(Log(), Line("anna", Cp("з`єднався")));
}

TEST_F(DialTest, ChosenEntryIsDialledAndTheWindowStaysWhenTheSettingSaysSo) {
  profiles.Write("brumelka.ini", "Main", "Version", "0.90");
  profiles.Write("brumelka.ini", "Params", "IsMinimizeToTrayOnConnect", "0");
  StartLoggedIn();
  form->ConnectionListBox.SetSelectedIndex(1);
  form->ConnectButtonClick();
  ASSERT_EQ(remoteAccess.dials.size(), 1u);
  EXPECT_EQ(remoteAccess.dials[0].entry, Cp("Резервний"));
  EXPECT_TRUE(form->Visible());
}

TEST_F(DialTest, FieldsChangedWhilePendingMessagesRunAreTheOnesDialled) {
  StartLoggedIn();
  remoteAccess.duringDialParams = [this] {
    backend.PostToUiThread([this] { form->PhoneEdit.SetText("5559999"); });
  };
  form->ConnectButtonClick();
  ASSERT_EQ(remoteAccess.dials.size(), 1u);
  EXPECT_EQ(remoteAccess.dials[0].phone, "5559999");
}

TEST_F(DialTest, UnreadableStoredParametersDropTheDialSilently) {
  StartLoggedIn();
  const std::string status = form->Label1.Text();
  remoteAccess.dialParamsResult = 623;
  form->ConnectButtonClick();
  EXPECT_TRUE(remoteAccess.dials.empty());
  EXPECT_TRUE(backend.Messages().empty());
  EXPECT_EQ(form->Label1.Text(), status);
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(Log(), "");
}

TEST_F(DialTest, RefusedDialShowsTheServiceTextInAnUnownedBoxAndHangsUpWhatItHolds) {
  StartLoggedIn();
  const std::string status = form->Label1.Text();
  remoteAccess.dialResult = 676;
  remoteAccess.storeHandleOnRefusal = true;
  remoteAccess.errorText = Cp("Лінія зайнята.");
  form->ConnectButtonClick();

  ASSERT_EQ(backend.Messages().size(), 1u);
  const headless::ShownMessage& box = backend.Messages()[0];
  EXPECT_EQ(box.kind, ui::MessageKind::Unowned);
  EXPECT_FALSE(box.owned);
  EXPECT_EQ(box.caption, Cp("На жаль, помилка."));
  EXPECT_EQ(box.text, Cp("Лінія зайнята."));
  EXPECT_EQ(remoteAccess.errorTextsAsked, std::vector<std::uint32_t>{676});
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(form->Label1.Text(), status);
  EXPECT_TRUE(form->Visible());
  // The handle the service stored with its refusal holds the port: it is let go at once.
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_EQ(form->ConnectionHandle, 0u);
}

TEST_F(DialTest, RefusalWithoutAServiceTextShowsOurOwn) {
  StartLoggedIn();
  remoteAccess.dialResult = 633;
  remoteAccess.errorText.clear();
  form->ConnectButtonClick();
  ASSERT_EQ(backend.Messages().size(), 1u);
  EXPECT_EQ(backend.Messages()[0].text, Cp("Помилка віддаленого доступу 633."));
}

TEST_F(DialTest, ADialWhileAConnectionIsKnownDoesNotGoOut) {
  StartLoggedIn();
  form->ConnectButtonClick();
  form->ConnectButtonClick();
  ComeUp();
  form->ConnectButtonClick();
  ASSERT_EQ(remoteAccess.dials.size(), 1u);
  EXPECT_EQ(remoteAccess.dials[0].handleBefore, 0u);
}

TEST_F(DialTest, HangUpWithoutADialLogsOutWithoutCallingTheServiceOrLogging) {
  StartLoggedIn();
  backend.Click(form->DisconnectButton);

  EXPECT_TRUE(remoteAccess.hangUps.empty());
  EXPECT_EQ(Log(), "");
  EXPECT_FALSE(form->IsLoggedIn);
  EXPECT_EQ(form->CurrentUserName, "");
  EXPECT_EQ(form->PhoneEdit.Text(), "");
  EXPECT_EQ(form->Label1.Text(), Cp("Роз`єднано."));
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  EXPECT_FALSE(form->UserButtons[0]->Bold());
}

TEST_F(DialTest, HangUpAfterADialStopsTheMarksAndForgetsTheHandle) {
  StartLoggedIn();
  DialAndComeUp();
  form->DisconnectButtonClick();
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_EQ(form->ConnectionHandle, 0u);
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(Log(), Line("anna", Cp("з`єднався")) + Line("anna", Cp("розз`єднався")));

  // A dial hung up before its line came up leaves no line in the log.
  form->Show();
  LogIn("anna", "secret");
  form->ConnectButtonClick();
  form->DisconnectButtonClick();
  EXPECT_EQ(remoteAccess.hangUps, (std::vector<std::uintptr_t>{0x77, 0x77}));
  EXPECT_EQ(Log(), Line("anna", Cp("з`єднався")) + Line("anna", Cp("розз`єднався")));
}

TEST_F(DialTest, HangUpDoesNothingWhileNobodyIsLoggedInEvenWithAConnectionUp) {
  StartLoggedIn();
  DialAndComeUp();
  form->ChangeUserItemClick();
  form->DisconnectButtonClick();
  EXPECT_TRUE(remoteAccess.hangUps.empty());
  EXPECT_TRUE(form->Timer1.Enabled());
  EXPECT_EQ(form->ConnectionHandle, 0x77u);

  // The next user to log in hangs up, and the line bears his name.
  form->Show();
  LogIn("bohdan", "");
  form->DisconnectButtonClick();
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_EQ(Log(), Line("anna", Cp("з`єднався")) + Line("bohdan", Cp("розз`єднався")));
}

TEST_F(DialTest, ExitHangsUpTheKnownConnectionWhoeverIsLoggedInAndEndsOnceItIsLetGo) {
  StartLoggedIn();
  DialAndComeUp();
  form->ChangeUserItemClick();
  remoteAccess.releaseAtHangUp = false;
  form->ExitItemClick();
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_EQ(Log(), Line("anna", Cp("з`єднався")) + Line("anna", Cp("розз`єднався")));

  // The window stays, and a dial asked for meanwhile does not go out.
  WatchOnce();
  EXPECT_FALSE(dynamic_cast<const headless::HeadlessForm&>(form->Peer()).Destroyed());
  form->Show();
  LogIn("bohdan", "");
  form->ConnectButtonClick();
  remoteAccess.Release(0x77);
  WatchOnce();
  EXPECT_TRUE(dynamic_cast<const headless::HeadlessForm&>(form->Peer()).Destroyed());
  EXPECT_EQ(remoteAccess.dials.size(), 1u);
}

TEST_F(DialTest, ExitWithNothingConnectedEndsAtOnceAndAServiceThatNeverLetsGoIsNotWaitedForEver) {
  StartLoggedIn();
  form->ExitItemClick();
  EXPECT_TRUE(remoteAccess.hangUps.empty());
  EXPECT_TRUE(dynamic_cast<const headless::HeadlessForm&>(form->Peer()).Destroyed());

  form.reset();
  StartLoggedIn();
  form->ConnectButtonClick();
  remoteAccess.releaseAtHangUp = false;
  form->ExitItemClick();
  backend.AdvanceClock(4000);
  EXPECT_FALSE(dynamic_cast<const headless::HeadlessForm&>(form->Peer()).Destroyed());
  backend.AdvanceClock(1000);
  EXPECT_TRUE(dynamic_cast<const headless::HeadlessForm&>(form->Peer()).Destroyed());
}

TEST_F(DialTest, AHangUpOrExitWhileTheDialWaitsForPendingMessagesCallsTheDialOff) {
  StartLoggedIn();
  remoteAccess.duringDialParams = [this] {
    backend.PostToUiThread([this] { form->DisconnectButtonClick(); });
  };
  form->ConnectButtonClick();
  EXPECT_TRUE(remoteAccess.dials.empty());

  LogIn("anna", "secret");
  remoteAccess.duringDialParams = [this] {
    backend.PostToUiThread([this] { form->ExitItemClick(); });
  };
  form->ConnectButtonClick();
  EXPECT_TRUE(remoteAccess.dials.empty());
  EXPECT_EQ(form->ConnectionHandle, 0u);
}

TEST_F(DialTest, ADialThatFailsLaterIsHungUpAndBringsTheWindowBackWithTheServiceText) {
  StartLoggedIn();
  remoteAccess.errorText = Cp("Доступ заборонено.");
  remoteAccess.releaseAtHangUp = false;
  form->ConnectButtonClick();
  ASSERT_FALSE(form->Visible());
  remoteAccess.Report(5, 691);
  backend.RunPosted();
  EXPECT_EQ(form->Label1.Text(), Cp("Доступ заборонено."));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_EQ(form->ConnectionHandle, 0u);
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(Log(), "");

  // The next dial waits until the service has let the failed one go, then goes out.
  form->ConnectButtonClick();
  WatchOnce();
  EXPECT_EQ(remoteAccess.dials.size(), 1u);
  remoteAccess.Release(0x77);
  WatchOnce();
  ASSERT_EQ(remoteAccess.dials.size(), 2u);
  EXPECT_EQ(remoteAccess.dials[1].handleBefore, 0u);
}

TEST_F(DialTest, ALineThatDropsIsNoticedLoggedOnceAndHungUp) {
  StartLoggedIn();
  remoteAccess.errorText = Cp("Віддалений комп'ютер розірвав зв`язок.");
  DialAndComeUp();
  ASSERT_FALSE(form->Visible());
  WatchOnce();
  EXPECT_TRUE(remoteAccess.hangUps.empty());

  remoteAccess.Drop(629);
  WatchOnce();
  EXPECT_EQ(form->Label1.Text(), Cp("Зв`язок обірвано. Віддалений комп'ютер розірвав зв`язок."));
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_TRUE(form->IsLoggedIn);
  const std::string lines = Line("anna", Cp("з`єднався")) + Line("anna", Cp("розз`єднався"));
  EXPECT_EQ(Log(), lines);

  // No marks and no second end line afterwards, whatever the user does next.
  backend.AdvanceClock(30 * 60000);
  form->DisconnectButtonClick();
  EXPECT_EQ(Log(), lines);
}

TEST_F(DialTest, TrayItemsDialWithTheWindowShownAndHangUpWithoutShowingIt) {
  StartLoggedIn();
  form->Hide();
  form->ConnectItemClick();
  EXPECT_EQ(remoteAccess.dials.size(), 1u);
  form->Hide();
  form->DisconnectItemClick();
  EXPECT_EQ(remoteAccess.hangUps.size(), 1u);
  EXPECT_FALSE(form->Visible());
}

TEST_F(DialTest, ProgressReportsFromTheServiceThreadReachTheStatusLineInOrder) {
  StartLoggedIn();
  form->ConnectButtonClick();
  ASSERT_NE(remoteAccess.lastNotifier, nullptr);
  const std::string before = form->Label1.Text();

  std::thread service([notifier = remoteAccess.lastNotifier] {
    for (int i = 0; i < 1000; ++i) notifier(0x77, i % 2 == 0 ? 0 : 1, 0);
    notifier(0x77, 0x2000, 0);
  });
  service.join();
  // Nothing touched the window from the service's thread.
  EXPECT_EQ(form->Label1.Text(), before);

  EXPECT_EQ(backend.RunPosted(), 1001u);
  EXPECT_EQ(form->Label1.Text(), Cp("Ви ввійшли в мережу."));
  const auto& label = dynamic_cast<const headless::HeadlessControl&>(form->Label1.Peer());
  EXPECT_EQ(label.PaintedText(), Cp("Ви ввійшли в мережу."));
  EXPECT_TRUE(form->Timer1.Enabled());
  EXPECT_EQ(form->ConnectionHandle, 0x77u);
}

TEST_F(DialTest, AReportStillOnItsWayAtHangUpDoesNotOverwriteTheDisconnectedText) {
  StartLoggedIn();
  form->ConnectButtonClick();
  remoteAccess.Report(14);
  form->DisconnectButtonClick();
  backend.RunPosted();
  EXPECT_EQ(form->Label1.Text(), Cp("Роз`єднано."));

  // The next dial's reports show again.
  form->Show();
  LogIn("anna", "secret");
  form->ConnectButtonClick();
  ComeUp();
  EXPECT_EQ(form->Label1.Text(), Cp("Ви ввійшли в мережу."));
}

TEST_F(DialTest, ReportsWithAnErrorShowTheServiceTextAndUnknownStatesBlankTheLine) {
  StartLoggedIn();
  form->ConnectButtonClick();
  form->ShowDialProgress(0x77, 22, 0);
  EXPECT_EQ(form->Label1.Text(), "");
  remoteAccess.errorText = Cp("Доступ заборонено.");
  form->ShowDialProgress(0x77, 0x2000, 691);
  EXPECT_EQ(form->Label1.Text(), Cp("Доступ заборонено."));
  // A report of no connection the window knows changes nothing.
  form->ShowDialProgress(0x77, 0x2001, 0);
  EXPECT_EQ(form->Label1.Text(), Cp("Доступ заборонено."));
  EXPECT_EQ(Log(), "");

  form->Show();
  LogIn("anna", "secret");
  form->ConnectButtonClick();
  form->ShowDialProgress(0x77, 0x2001, 0);
  EXPECT_EQ(form->Label1.Text(), Cp("Ви вийшли з мережі."));
  EXPECT_EQ(remoteAccess.hangUps, (std::vector<std::uintptr_t>{0x77, 0x77}));
}

TEST_F(DialTest, MarksComeEveryIntervalWhileTheTimerRunsAndNameTheCurrentUser) {
  StartLoggedIn();
  DialAndComeUp();
  const std::string connect = Line("anna", Cp("з`єднався"));
  backend.AdvanceClock(10 * 60000 - 1);
  EXPECT_EQ(Log(), connect);
  backend.AdvanceClock(1);
  backend.AdvanceClock(20 * 60000);
  const std::string mark = Line("anna", Cp("працював"));
  EXPECT_EQ(Log(), connect + mark + mark + mark);

  // Logged out with the line still up: the marks go on with an empty name.
  form->ChangeUserItemClick();
  backend.AdvanceClock(10 * 60000);
  EXPECT_EQ(Log(), connect + mark + mark + mark + Line("", Cp("працював")));
}

TEST_F(DialTest, ZeroOrNegativeIntervalsGiveNoMarksAndHugeOnesAreClamped) {
  for (const char* minutes : {"0", "-5"}) {
    SCOPED_TRACE(minutes);
    form.reset();
    profiles.Write("brumelka.ini", "Main", "Version", "0.90");
    profiles.Write("brumelka.ini", "Data files", "LogFileName", "connects.log");
    profiles.Write("brumelka.ini", "Params", "TimeLogMinuteInterval", minutes);
    std::filesystem::remove(folder.Path() / "connects.log");
    StartLoggedIn();
    DialAndComeUp();
    backend.AdvanceClock(24ull * 3600 * 1000);
    EXPECT_EQ(Log(), Line("anna", Cp("з`єднався")));
  }
  form.reset();
  profiles.Write("brumelka.ini", "Params", "TimeLogMinuteInterval", "100000");
  StartLoggedIn();
  EXPECT_EQ(form->Timer1.Interval(), 0x7FFFFFFFu);
}

TEST_F(DialTest, FailedLogWriteIsReportedAndTheDialGoesOn) {
  profiles.Write("brumelka.ini", "Main", "Version", "0.90");
  profiles.Write("brumelka.ini", "Data files", "LogFileName", "no-such-folder/connects.log");
  StartLoggedIn();
  DialAndComeUp();
  ASSERT_EQ(backend.Messages().size(), 1u);
  EXPECT_EQ(backend.Messages()[0].kind, ui::MessageKind::Info);
  EXPECT_EQ(backend.Messages()[0].text, Cp("Помилка логування."));
  EXPECT_TRUE(form->Timer1.Enabled());
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "no-such-folder"));
}

TEST_F(DialTest, ShowLogOpensTheLogNamedByTheSettingsFromBothMenus) {
  StartLoggedIn();
  backend.ChooseNextMenuItem(form->ShowLogItem);
  backend.Click(form->MenuLabel);
  form->Setup->LogFileName = "other name.log";
  form->N11->OnClick();
  EXPECT_EQ(textEditor.opened, (std::vector<std::string>{"connects.log", "other name.log"}));
}
