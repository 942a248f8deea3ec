// While a box or a dialog of the program is up, nothing else of the program runs: the tray
// icon, a second copy's call and the timers all still arrive then, and each waits or does
// nothing, as in any modal program.

#include "tests/app/PowerOffFixture.h"

using text::Cp;

namespace {

class ModalDisciplineTest : public PowerOffTest {
 protected:
  void ComeUp() {
    form->ConnectButtonClick();
    remoteAccess.Report(0x2000);
    backend.RunPosted();
  }
  std::size_t Boxes() const { return backend.Messages().size(); }
  bool Ended() const {
    return dynamic_cast<const headless::HeadlessForm&>(form->Peer()).Destroyed();
  }
};

}  // namespace

TEST_F(ModalDisciplineTest, TrayClicksASecondCopyExitAndTheMarksDoNothingWhileABoxIsUp) {
  StartLoggedIn();
  ComeUp();
  form->Tray->AddIcon(*form);
  form->Hide();
  const std::string log = folder.Read("connects.log");
  const std::size_t popups = backend.Popups().size();

  backend.WhileNextMessageBox([&] {
    form->TrayMessage(0x0201);  // left: would show the window
    backend.SendMessage(*form, TForm1::WM_ACTIVATEFORM);
    form->TrayMessage(0x0204);  // right: would open the menu
    form->TrayMessage(0x0207);  // middle: would hang up
    form->DisconnectItemClick();
    form->ConnectItemClick();
    WaitSeconds(25 * 60);  // two marks' worth
    form->ExitItemClick();
  });
  form->AboutItemClick();

  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(backend.Popups().size(), popups);
  EXPECT_TRUE(remoteAccess.hangUps.empty());
  EXPECT_TRUE(form->IsLoggedIn);
  EXPECT_EQ(folder.Read("connects.log"), log);
  EXPECT_FALSE(Ended());

  // Once the box is gone they work again.
  form->TrayMessage(0x0207);
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
}

TEST_F(ModalDisciplineTest, AFailingLogShowsOneBoxHoweverManyMarksFallWhileItIsUp) {
  StartLoggedIn();
  form->Log->FileName = (folder.Path() / "no such folder" / "connects.log").string();
  backend.WhileNextMessageBox([&] { WaitSeconds(35 * 60); });
  ComeUp();
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_EQ(backend.Messages()[0].text, Cp("Помилка логування."));
  // Later entries try again, one box each.
  WaitSeconds(10 * 60);
  EXPECT_EQ(Boxes(), 2u);
}

TEST_F(ModalDisciplineTest, APowerOffWhoseLogFailsRunsItsStepsOnce) {
  StartLoggedIn();
  ComeUp();
  form->Log->FileName = (folder.Path() / "no such folder" / "connects.log").string();
  ArmDelay("1");
  // The hang-up's failed log line shows a box; the delay's ticks go on meanwhile.
  backend.WhileNextMessageBox([&] { WaitSeconds(150); });
  WaitSeconds(60);
  EXPECT_EQ(power.calls, PowerOffCalls());
  EXPECT_EQ(remoteAccess.hangUps, std::vector<std::uintptr_t>{0x77});
}
