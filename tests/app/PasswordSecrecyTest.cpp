// Passwords stay where they are typed and stored: no log line, message box, window caption,
// status text or tray tip may carry one, whatever the program goes through.

#include <memory>
#include <string>
#include <vector>

#include "dialogs/TConfigForm.h"
#include "dialogs/TUserForm.h"
#include "tests/app/PowerOffFixture.h"

using text::Cp;

namespace {

const UserFields kRoot{"root", Cp("КоріньПін-9031"), "5550000", "root-login", "RootNet-6603"};
const UserFields kAnna{"anna", "AnnaPin-4417", "5550001", "anna-login", Cp("АннаМережа-5820")};
const UserFields kOlena{"olena", "OlenaPin-2288", "5550003", "olena-login", "OlenaNet-3377"};
const std::string kWrongGuess = "Guess-7719";

class PasswordSecrecyTest : public PowerOffTest {
 protected:
  void StartEverything() {
    movingClock.Set({2026, 12, 8, 10, 0, 0, 0});
    profiles.Write("brumelka.ini", "Main", "Version", "0.90");
    profiles.Write("brumelka.ini", "Params", "IsMinimizeToTrayOnConnect", "1");
    profiles.Write("brumelka.ini", "Params", "IsShowInTrayOnStartup", "1");
    profiles.Write("brumelka.ini", "Data files", "LogFileName", "connects.log");
    remoteAccess.entries = {"Provider"};
    WriteUsers({kRoot, kAnna});
    Start();
    userForm = std::make_unique<dialogs::TUserForm>(backend, form->LinkForDialogs());
    configForm = std::make_unique<dialogs::TConfigForm>(backend, form->LinkForDialogs());
    turnOffForm = std::make_unique<dialogs::TTurnOffForm>(backend, form->ScheduleForPowerOff());
    form->UserForm = userForm.get();
    form->ConfigForm = configForm.get();
    form->TurnOffForm = turnOffForm.get();
    Witness("start");
  }

  // Captions and the status line change as the program goes; each step's are kept.
  void Witness(const std::string& step) {
    seen.push_back({step + ": main window caption", form->Caption()});
    seen.push_back({step + ": application title", backend.ApplicationTitle()});
    seen.push_back({step + ": users dialog caption", userForm->Caption()});
    seen.push_back({step + ": settings dialog caption", configForm->Caption()});
    seen.push_back({step + ": power-off dialog caption", turnOffForm->Caption()});
    seen.push_back({step + ": status line", form->Label1.Text()});
  }

  // What was shown or written over the whole run, added to the captions seen on the way.
  std::vector<std::pair<std::string, std::string>> Everything() const {
    auto all = seen;
    for (const auto& shown : backend.Messages()) {
      all.push_back({"message box text", shown.text});
      all.push_back({"message box caption", shown.caption});
    }
    for (const auto& call : notifyIcons.calls)
      all.push_back({"tray tip", std::string(call.data.szTip.data())});
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
      if (entry.is_regular_file() && entry.path().extension() != ".usr")
        all.push_back(
            {"file " + entry.path().filename().string(), folder.Read(entry.path().filename())});
    return all;
  }

  // The password field keeps what a failed attempt left in it.
  void SignIn(const std::string& name, const std::string& pass) {
    form->PassEdit.SetText("");
    LogIn(name, pass);
  }
  void Retype(ui::Edit& field, const std::string& text) {
    field.SetText("");
    backend.Type(field, text);
  }
  void ChooseFromMainMenu(ui::MenuItem* item) {
    backend.ChooseNextMenuItem(item);
    backend.Click(form->MenuLabel);
  }
  void InModal(ui::MenuItem* item, const std::function<void()>& script) {
    backend.WhileNextModal([script](ui::FormPeer&) { script(); });
    ChooseFromMainMenu(item);
  }
  // A dial accepted sends the window to the tray; a left click on the icon brings it back.
  void Connect() {
    backend.Click(form->ConnectButton);
    if (!form->Visible()) form->TrayMessage(0x0201);
  }
  void Progress(std::uint32_t state, std::uint32_t error) {
    TForm1::DialNotifier(0x77, state, error);
    backend.RunPosted();
  }

  std::unique_ptr<dialogs::TUserForm> userForm;
  std::unique_ptr<dialogs::TConfigForm> configForm;
  std::vector<std::pair<std::string, std::string>> seen;
};

TEST_F(PasswordSecrecyTest, NoPasswordReachesTheLogAMessageACaptionOrTheTrayTip) {
  StartEverything();

  // A wrong guess, then the right password.
  for (auto& button : form->UserButtons)
    if (button && button->Text() == "anna") backend.Click(*button);
  backend.Type(form->PassEdit, kWrongGuess);
  backend.PressEnter(form->PassEdit);
  ASSERT_FALSE(form->IsLoggedIn);
  Witness("failed log-in");
  SignIn("anna", kAnna.pass);
  Witness("log-in");

  // A dial that connects, goes through its stages, marks the log and is hung up from the tray.
  form->ConnectionListBox.SetSelectedIndex(0);
  backend.Click(form->ConnectButton);
  ASSERT_EQ(remoteAccess.dials.size(), 1u);
  ASSERT_EQ(remoteAccess.dials[0].password, kAnna.password);  // it did reach the service
  for (std::uint32_t state : {0u, 1u, 5u, 8192u}) {
    Progress(state, 0);
    Witness("dial stage " + std::to_string(state));
  }
  WaitSeconds(10 * 60);
  Witness("log mark");
  form->TrayMessage(0x0207);
  Witness("hang-up from the tray");
  form->TrayMessage(0x0201);

  // A dial the service refuses, and one that fails on the way.
  SignIn("anna", kAnna.pass);
  remoteAccess.dialResult = 691;
  remoteAccess.errorText = "Access denied: the user name or password is not valid.";
  backend.Click(form->ConnectButton);
  Witness("refused dial");
  remoteAccess.dialResult = 0;
  Connect();
  Progress(5, 691);
  Witness("failed dial");
  backend.Click(form->DisconnectButton);
  Witness("hang-up");

  // The administrator manages the users: add, delete, a failed save, and the save on close.
  SignIn("root", kRoot.pass);
  Witness("root log-in");
  InModal(form->UsersItem, [&] {
    const auto addOlena = [&] {
      Retype(userForm->NameEdit, kOlena.name);
      Retype(userForm->PassEdit, kOlena.pass);
      Retype(userForm->PhoneEdit, kOlena.phone);
      Retype(userForm->LoginEdit, kOlena.login);
      Retype(userForm->PasswordEdit, kOlena.password);
      backend.Click(userForm->AddButton);
    };
    addOlena();
    userForm->UsersListBox.SetSelectedIndex(userForm->UsersListBox.Count() - 1);
    backend.Click(userForm->UsersListBox);
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->DeleteButton);
    addOlena();
    Witness("users dialog");
    backend.PickNextFile((folder.Path() / "no such folder" / "users.usr").string());
    backend.Click(userForm->SaveButton);
    backend.AnswerNextMessageBox(ui::Answer::Yes);
    backend.Click(userForm->CloseButton);
  });
  Witness("users dialog closed");
  ASSERT_NE(form->Users->IndexOfUser(kOlena.name), -1);

  // Settings: a failed save, then OK with a log that can't be written.
  InModal(form->SetupItem, [&] {
    backend.PickNextFile((folder.Path() / "no such folder" / "brumelka.ini").string());
    backend.Click(configForm->SaveButton);
    Retype(configForm->LogEdit, "no such folder/connects.log");
    Witness("settings dialog");
    backend.Click(configForm->OkButton);
  });
  Witness("settings applied");
  SignIn("olena", kOlena.pass);
  Connect();
  Progress(8192, 0);
  Witness("dial with a failing log");
  backend.Click(form->DisconnectButton);

  // Back to the working log, and a scheduled power-off while Anna is on line.
  form->Setup->LogFileName = "connects.log";
  form->Initialize();
  SignIn("anna", kAnna.pass);
  Connect();
  ArmDelay("1");
  Witness("power-off armed");
  WaitSeconds(60);
  Witness("power-off");

  const auto everything = Everything();
  // The channels under watch carry what they should: names, the log, the boxes, the tip.
  const auto carries = [&](const std::string& where, const std::string& what) {
    for (const auto& [place, text] : everything)
      if (place.find(where) != std::string::npos && text.find(what) != std::string::npos)
        return true;
    return false;
  };
  EXPECT_TRUE(carries("main window caption", "anna"));
  EXPECT_TRUE(carries("main window caption", "root"));
  EXPECT_TRUE(carries("file connects.log", Cp("anna вимкнув ПК")));
  EXPECT_TRUE(carries("file connects.log", Cp("anna працював")));
  EXPECT_TRUE(carries("message box text", "Access denied"));
  EXPECT_TRUE(carries("message box text", Cp("Помилка логування.")));
  EXPECT_TRUE(carries("tray tip", Cp("Брумелка")));
  EXPECT_EQ(power.calls.size(), PowerOffCalls().size());

  for (const std::string& secret : {kRoot.pass, kRoot.password, kAnna.pass, kAnna.password,
                                    kOlena.pass, kOlena.password, kWrongGuess})
    for (const auto& [place, text] : everything)
      EXPECT_EQ(text.find(secret), std::string::npos) << place << " shows a password: " << text;
}

}  // namespace
