// When a scheduled power-off happens: the delay counted from the click, the time of day
// checked every second, and nothing while nobody is logged in.

#include "tests/app/PowerOffFixture.h"

using text::Cp;

namespace {

const std::string kDisconnected = Cp("розз`єднався");
const std::string kTurnedOff = Cp("вимкнув ПК");

}  // namespace

TEST_F(PowerOffTest, DelayOfOneMinuteHangsUpLogsAndPowersOffSixtySecondsAfterTheClick) {
  StartLoggedIn();
  form->ConnectButtonClick();
  remoteAccess.Report(0x2000);
  backend.RunPosted();
  WaitSeconds(20);
  ArmDelay("1");
  EXPECT_EQ(form->TurnOffTimer.Interval(), 60000u);

  backend.AdvanceClock(59999);
  EXPECT_TRUE(power.calls.empty());
  EXPECT_TRUE(form->IsLoggedIn);

  backend.AdvanceClock(1);
  EXPECT_EQ(power.calls, PowerOffCalls());
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"anna " + Cp("з`єднався"),
                                                  "anna " + kDisconnected, "anna " + kTurnedOff}));
  EXPECT_FALSE(form->IsLoggedIn);
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  // The schedule stays armed; with nobody logged in its next tick does nothing.
  EXPECT_TRUE(form->TurnOffTimer.Enabled());
  WaitSeconds(60);
  EXPECT_EQ(power.calls.size(), PowerOffCalls().size());
}

TEST_F(PowerOffTest, DelayWaitsOutTicksWithNobodyLoggedInAndTakesTheNextUsersName) {
  StartLoggedIn();
  ArmDelay("1");
  WaitSeconds(30);
  LogOut();

  WaitSeconds(30);  // the first tick: nobody there
  EXPECT_TRUE(power.calls.empty());
  EXPECT_TRUE(remoteAccess.hangUps.empty());
  EXPECT_TRUE(form->TurnOffTimer.Enabled());

  WaitSeconds(30);
  LogIn("bohdan", "pw");
  // The ticks keep their pace from the click: the next is at two minutes.
  backend.AdvanceClock(29999);
  EXPECT_TRUE(power.calls.empty());
  backend.AdvanceClock(1);
  EXPECT_EQ(power.calls, PowerOffCalls());
  // Never dialled, so no end of a line is logged.
  EXPECT_EQ(LogLines(), std::vector<std::string>{"bohdan " + kTurnedOff});
}

TEST_F(PowerOffTest, ArmingTheDelayAgainCountsTheFullDelayFromTheNewClick) {
  StartLoggedIn();
  ArmDelay("2");
  WaitSeconds(90);
  ArmDelay("2");
  WaitSeconds(119);
  EXPECT_TRUE(power.calls.empty());
  WaitSeconds(1);
  EXPECT_EQ(power.calls, PowerOffCalls());
}

TEST_F(PowerOffTest, TimeOfDayOfThePresentMinutePowersOffAtTheNextSecond) {
  StartLoggedIn({2026, 12, 8, 14, 30, 20, 0});
  ArmTime("14:30");
  EXPECT_EQ(form->TimeTimer.Interval(), 1000u);
  EXPECT_TRUE(form->TimeTimer.Enabled());

  backend.AdvanceClock(999);
  EXPECT_TRUE(power.calls.empty());
  backend.AdvanceClock(1);
  EXPECT_EQ(power.calls, PowerOffCalls());
  EXPECT_EQ(LogLines(), std::vector<std::string>{"anna " + kTurnedOff});
  EXPECT_TRUE(form->TimeTimer.Enabled());
}

TEST_F(PowerOffTest, TimeOfDayWithNobodyLoggedInWaitsForALogInWithinTheMinute) {
  StartLoggedIn({2026, 12, 8, 14, 29, 50, 0});
  ArmTime("14:30");
  LogOut();

  WaitSeconds(40);  // 14:30:30, ten ticks inside the minute
  EXPECT_TRUE(power.calls.empty());
  EXPECT_TRUE(remoteAccess.hangUps.empty());

  LogIn("bohdan", "pw");
  WaitSeconds(1);
  EXPECT_EQ(power.calls, PowerOffCalls());
  // Never dialled, so no end of a line is logged.
  EXPECT_EQ(LogLines(), std::vector<std::string>{"bohdan " + kTurnedOff});
}

TEST_F(PowerOffTest, TimeOfDayMissedWithNobodyLoggedInComesBackTheNextDay) {
  StartLoggedIn({2026, 12, 8, 14, 29, 50, 0});
  ArmTime("14:30");
  LogOut();
  WaitSeconds(80);  // 14:31:10
  LogIn("anna", "secret");
  EXPECT_TRUE(power.calls.empty());

  WaitSeconds(24 * 3600 - 71);  // 14:29:59 the next day
  EXPECT_TRUE(power.calls.empty());
  EXPECT_TRUE(form->IsLoggedIn);
  WaitSeconds(1);
  EXPECT_EQ(power.calls, PowerOffCalls());
}

TEST_F(PowerOffTest, SecondsInTheTimeAreReadButAnySecondOfTheMinuteMatches) {
  StartLoggedIn({2026, 12, 8, 14, 29, 59, 0});
  ArmTime("14:30:45");
  EXPECT_EQ(form->ShutdownTime, (dialogs::TimeOfDay{14, 30, 45}));
  WaitSeconds(1);  // 14:30:00
  EXPECT_EQ(power.calls, PowerOffCalls());
}

TEST_F(PowerOffTest, ArmingOneScheduleSwitchesTheOtherOff) {
  StartLoggedIn();
  ArmDelay("5");
  EXPECT_TRUE(form->TurnOffTimer.Enabled());
  EXPECT_FALSE(form->TimeTimer.Enabled());

  ArmTime("23:15");
  EXPECT_TRUE(form->TimeTimer.Enabled());
  EXPECT_FALSE(form->TurnOffTimer.Enabled());
  EXPECT_EQ(form->ShutdownTime, (dialogs::TimeOfDay{23, 15, 0}));

  ArmDelay("3");
  EXPECT_TRUE(form->TurnOffTimer.Enabled());
  EXPECT_EQ(form->TurnOffTimer.Interval(), 180000u);
  EXPECT_FALSE(form->TimeTimer.Enabled());
}

TEST_F(PowerOffTest, InvalidEntryCancelsTheScheduleShowsTheMessageAndKeepsTheDialogOpen) {
  struct Entry {
    bool minutes;
    std::string text;
  };
  const Entry entries[] = {{true, ""},       {true, "abc"},    {true, "0"},          {true, "-5"},
                           {true, "1.5"},    {true, "35792"},  {true, "4294967297"}, {false, ""},
                           {false, "ab:cd"}, {false, "25:00"}, {false, "12:60"},     {false, "12"}};
  StartLoggedIn();
  for (const Entry& entry : entries) {
    SCOPED_TRACE((entry.minutes ? "minutes '" : "time '") + entry.text + "'");
    // Each kind of schedule is cancelled by either kind of refused entry.
    if (entry.minutes)
      ArmTime("22:00");
    else
      ArmDelay("10");
    backend.ClearMessages();

    bool stillOpen = false;
    std::string shownText;
    InDialog([&] {
      ui::CheckBox& box =
          entry.minutes ? turnOffForm->TimeIntervalCheckBox : turnOffForm->SetTimeCheckBox1;
      ui::Edit& field = entry.minutes ? turnOffForm->IntervalEdit : turnOffForm->TimeEdit;
      Tick(box);
      Retype(field, entry.text);
      backend.Click(turnOffForm->ReadyButton);
      stillOpen = DialogOpen();
      shownText = field.Text();
      backend.Click(turnOffForm->CancelButton);
    });

    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(shownText, entry.text);
    EXPECT_FALSE(form->TurnOffTimer.Enabled());
    EXPECT_FALSE(form->TimeTimer.Enabled());
    ASSERT_EQ(backend.Messages().size(), 1u);
    EXPECT_EQ(backend.Messages()[0].kind, ui::MessageKind::Info);
    EXPECT_EQ(backend.Messages()[0].text,
              Cp("Введіть дані належним чином, будь-ласка (формат часу - hh:mm)"));
  }
}

TEST_F(PowerOffTest, ReadyWithNoBoxTickedAndCancelLeaveTheScheduleAsItWas) {
  StartLoggedIn();
  ArmDelay("7");
  WaitSeconds(60);

  InDialog([&] {
    backend.Click(turnOffForm->TimeIntervalCheckBox);  // ticked before: now clear
    ASSERT_FALSE(turnOffForm->SetTimeCheckBox1.Checked());
    backend.Click(turnOffForm->ReadyButton);
  });
  InDialog([&] {
    Tick(turnOffForm->SetTimeCheckBox1);
    Retype(turnOffForm->TimeEdit, "1:00");
    backend.Click(turnOffForm->CancelButton);
  });
  EXPECT_FALSE(turnOffForm->Visible());
  EXPECT_TRUE(form->TurnOffTimer.Enabled());
  EXPECT_FALSE(form->TimeTimer.Enabled());
  // Still counted from the first click.
  WaitSeconds(359);
  EXPECT_TRUE(power.calls.empty());
  WaitSeconds(1);
  EXPECT_EQ(power.calls, PowerOffCalls());
}

TEST_F(PowerOffTest, TheMenuEntryOpensTheDialogForAnyLoggedInUserOnly) {
  StartLoggedIn();
  LogOut();
  backend.ChooseNextMenuItem(form->TurnOffItem);
  backend.Click(form->MenuLabel);  // disabled: nothing is shown, nothing waits for a script

  LogIn("bohdan", "pw");
  bool shownModally = false;
  InDialog([&] {
    shownModally = DialogOpen() && !form->Peer().Enabled();
    backend.Click(turnOffForm->CancelButton);
  });
  EXPECT_TRUE(shownModally);
}
