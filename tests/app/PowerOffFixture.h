#pragma once
// The main window with its power-off dialog, a clock that moves with the timers, and users
// to log in and out.

#include <memory>
#include <string>
#include <vector>

#include "dialogs/TTurnOffForm.h"
#include "platform/headless/HeadlessPeers.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/FollowingClock.h"

class PowerOffTest : public MainWindowTest {
 protected:
  PowerOffTest() { serviceClock = &movingClock; }

  // Anna logged in; Bohdan there to log in later.
  void StartLoggedIn(const platform::LocalTime& at = {2026, 12, 8, 10, 0, 0, 0}) {
    movingClock.Set(at);
    // The window stays in sight after a dial, so that its menu can be reached.
    profiles.Write("brumelka.ini", "Main", "Version", "0.90");
    profiles.Write("brumelka.ini", "Params", "IsMinimizeToTrayOnConnect", "0");
    profiles.Write("brumelka.ini", "Data files", "LogFileName", "connects.log");
    remoteAccess.entries = {"Provider"};
    WriteUsers({{"anna", "secret", "5550001", "anna-login", "anna-net"},
                {"bohdan", "pw", "5550002", "bohdan-login", "bohdan-net"}});
    Start();
    turnOffForm = std::make_unique<dialogs::TTurnOffForm>(backend, form->ScheduleForPowerOff());
    form->TurnOffForm = turnOffForm.get();
    LogIn("anna", "secret");
  }

  void LogIn(const std::string& name, const std::string& pass) {
    for (auto& button : form->UserButtons)
      if (button && button->Text() == name) backend.Click(*button);
    backend.Type(form->PassEdit, pass);
    backend.PressEnter(form->PassEdit);
    ASSERT_TRUE(form->IsLoggedIn) << name;
  }

  void LogOut() {
    form->ChangeUserItemClick();
    ASSERT_FALSE(form->IsLoggedIn);
  }

  // Opens the dialog from the main menu and runs `script` in it; the script must close it.
  void InDialog(const std::function<void()>& script) {
    backend.WhileNextModal([script](ui::FormPeer&) { script(); });
    backend.ChooseNextMenuItem(form->TurnOffItem);
    backend.Click(form->MenuLabel);
  }

  void Tick(ui::CheckBox& box) {
    if (!box.Checked()) backend.Click(box);
  }

  void Retype(ui::Edit& field, const std::string& text) {
    field.SetText("");
    backend.Type(field, text);
  }

  // Still shown modally: closing it ends the modal state; it goes out of sight after.
  bool DialogOpen() const {
    return dynamic_cast<const headless::HeadlessForm&>(turnOffForm->Peer()).Modal();
  }

  // "Готово" on an entry that must be accepted.
  void Ready() {
    backend.Click(turnOffForm->ReadyButton);
    if (!DialogOpen()) return;
    ADD_FAILURE() << "the entry was refused";
    backend.Click(turnOffForm->CancelButton);
  }

  // Arms the delay through the dialog.
  void ArmDelay(const std::string& minutes) {
    InDialog([&] {
      Tick(turnOffForm->TimeIntervalCheckBox);
      Retype(turnOffForm->IntervalEdit, minutes);
      Ready();
    });
  }

  // Arms the time of day through the dialog.
  void ArmTime(const std::string& time) {
    InDialog([&] {
      Tick(turnOffForm->SetTimeCheckBox1);
      Retype(turnOffForm->TimeEdit, time);
      Ready();
    });
  }

  void WaitSeconds(int seconds) { backend.AdvanceClock(std::uint64_t(seconds) * 1000); }

  // "user action" of each log line, without the date and time.
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    const std::string log = folder.Read("connects.log");
    const std::string at = text::Cp(" о такій годині:");
    std::size_t start = 0;
    for (std::size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
      const std::string line = log.substr(start, end - start);
      const std::size_t time = line.find(at);
      // The date before the time is " dd.mm.yyyy".
      lines.push_back(time == std::string::npos || time < 11 ? line : line.substr(0, time - 11));
    }
    return lines;
  }

  std::vector<std::string> PowerOffCalls() const {
    return {"open 40", "lookup SeShutdownPrivilege", "adjust 112 19 2", "shutdown 12", "close 112"};
  }

  testing_support::FollowingClock movingClock{backend};
  std::unique_ptr<dialogs::TTurnOffForm> turnOffForm;
};
