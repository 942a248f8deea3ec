// What a power-off does, in its order, and where each refusal of the system stops it.

#include "tests/app/PowerOffFixture.h"

using text::Cp;

namespace {

const std::string kConnected = Cp("з`єднався");
const std::string kDisconnected = Cp("розз`єднався");
const std::string kTurnedOff = Cp("вимкнув ПК");

}  // namespace

TEST_F(PowerOffTest, HangUpComesFirstThenTheRightThenTheLogLineThenTheRequest) {
  StartLoggedIn();
  form->ConnectButtonClick();
  remoteAccess.Report(0x2000);
  backend.RunPosted();
  std::vector<std::string> seen;
  power.onCall = [&](const std::string& call) {
    const std::vector<std::string> lines = LogLines();
    seen.push_back(call + ": hung up " + std::to_string(remoteAccess.hangUps.size()) +
                   ", logged in " + std::to_string(form->IsLoggedIn) + ", last line " +
                   (lines.empty() ? "" : lines.back()));
  };
  ArmDelay("1");
  WaitSeconds(60);

  const std::string afterHangUp = ": hung up 1, logged in 0, last line anna " + kDisconnected;
  const std::string afterLogLine = ": hung up 1, logged in 0, last line anna " + kTurnedOff;
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "open 40" + afterHangUp, "lookup SeShutdownPrivilege" + afterHangUp,
                      "adjust 112 19 2" + afterLogLine, "shutdown 12" + afterLogLine,
                      "close 112" + afterLogLine}));
  EXPECT_EQ(form->Label1.Text(), Cp("Роз`єднано."));
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_EQ(form->PhoneEdit.Text(), "");
}

TEST_F(PowerOffTest, EachRefusalOfTheSystemStopsThePowerOffWhereItHappens) {
  struct Refusal {
    const char* name;
    bool testing_support::FakePower::*answer;
    std::vector<std::string> calls;
    bool logLine;
  };
  const Refusal refusals[] = {
      {"token", &testing_support::FakePower::tokenOpens, {"open 40"}, false},
      {"privilege id",
       &testing_support::FakePower::privilegeFound,
       {"open 40", "lookup SeShutdownPrivilege", "close 112"},
       false},
      {"enabling",
       &testing_support::FakePower::privilegeAdjusted,
       {"open 40", "lookup SeShutdownPrivilege", "adjust 112 19 2", "close 112"},
       true},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.name);
    folder.Write("connects.log", "");
    power = testing_support::FakePower{};
    power.*refusal.answer = false;
    if (!form) StartLoggedIn();
    if (!form->IsLoggedIn) LogIn("anna", "secret");
    backend.ClearMessages();

    form->TurnOffTimerTimer();

    EXPECT_EQ(power.calls, refusal.calls);
    // Logged out all the same, and nothing is shown; no line was up to log the end of.
    std::vector<std::string> lines;
    if (refusal.logLine) lines.push_back("anna " + kTurnedOff);
    EXPECT_EQ(LogLines(), lines);
    EXPECT_FALSE(form->IsLoggedIn);
    EXPECT_TRUE(backend.Messages().empty());
  }
}

TEST_F(PowerOffTest, TickWithNobodyLoggedInDoesNothingAtAll) {
  StartLoggedIn();
  form->ConnectButtonClick();
  remoteAccess.Report(0x2000);
  backend.RunPosted();
  LogOut();
  const std::string status = form->Label1.Text();

  form->TurnOffTimerTimer();

  EXPECT_TRUE(power.calls.empty());
  EXPECT_TRUE(remoteAccess.hangUps.empty());
  EXPECT_EQ(LogLines(), std::vector<std::string>{"anna " + kConnected});
  EXPECT_EQ(form->Label1.Text(), status);
}
