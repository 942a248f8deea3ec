#include "app/TForm1.h"

#include "app/Texts.h"
#include "platform/ui/Dispatch.h"

namespace {

ui::FormOptions MainWindowOptions() {
  ui::FormOptions options;
  options.style = ui::FormStyle::Main;
  options.windowClass = TForm1::kWindowClass;
  options.caption = texts::kInitialCaption;
  options.clientSize = {395, 351};
  options.centered = true;
  return options;
}

}  // namespace

TForm1::TForm1(ui::Backend& backend, MainWindowServices services)
    : ui::Form(backend, MainWindowOptions()),
      ConnectionListBox(*this, {14, 34, 121, 159}),
      PhoneEdit(*this, {176, 36, 203, 21}),
      LoginEdit(*this, {176, 80, 203, 21}),
      PassEdit(*this, {176, 170, 203, 21}, /*password=*/true),
      ConnectButton(*this, {12, 208, 117, 25}, texts::kConnect),
      DisconnectButton(*this, {12, 240, 117, 25}, texts::kDisconnect),
      PasswordEdit(*this, {176, 122, 203, 21}, /*password=*/true),
      BackButton(*this, {8, 307, 17, 37}, "<", /*flat=*/true),
      NextButton(*this, {368, 307, 17, 37}, ">", /*flat=*/true),
      Label5(*this, ui::Point{16, 16}, texts::kAvailableConnections),
      Label4(*this, ui::Point{176, 18}, texts::kProviderPhone),
      Label3(*this, ui::Point{176, 62}, texts::kLogin),
      Label2(*this, ui::Point{176, 104}, texts::kConnectionPassword),
      Label6(*this, ui::Point{176, 152}, texts::kUserPassword),
      Label1(*this, ui::Point{12, 280}),
      MenuLabel(*this, ui::Point{352, 285}, texts::kMenu),
      Bevel1(*this, {8, 297, 377, 5}, ui::Bevel::Shape::BottomLine),
      Bevel2(*this, {24, 308, 345, 35}, ui::Bevel::Shape::Frame),
      OpenDialog1(*this, ui::FileDialogKind::Open),
      SaveDialog1(*this, ui::FileDialogKind::Save),
      Timer1(*this),
      TurnOffTimer(*this),
      TimeTimer(*this),
      LineTimer(*this),
      PopupMainMenu(*this),
      PopupMenuTray(*this),
      services_(services) {
  ConnectionListBox.SetTabOrder(0);
  PhoneEdit.SetTabOrder(1);
  LoginEdit.SetTabOrder(2);
  PassEdit.SetTabOrder(3);
  ConnectButton.SetTabOrder(4);
  DisconnectButton.SetTabOrder(5);
  PasswordEdit.SetTabOrder(6);

  ConnectionListBox.SetHint(texts::kConnectionListHint);
  PhoneEdit.SetHint(texts::kPhoneHint);
  LoginEdit.SetHint(texts::kLoginHint);
  PasswordEdit.SetHint(texts::kPasswordHint);
  PassEdit.SetHint(texts::kPassHint);
  ConnectButton.SetHint(texts::kConnectHint);
  DisconnectButton.SetHint(texts::kDisconnectHint);
  MenuLabel.SetHint(texts::kMenuHint);
  Bevel2.SetHint(texts::kUsersFrameHint);
  BackButton.SetHint(texts::kBackHint);
  NextButton.SetHint(texts::kNextHint);

  MenuLabel.SetLinkStyle(true);
  MenuLabel.SetTextColor(kLinkColor);
  BackButton.SetEnabled(false);
  NextButton.SetEnabled(false);

  BuildMainMenu();
  BuildTrayMenu();
  ConnectEvents();
  RegisterAsDialTarget();

  ui::Dispatch(backend, [this] { FormCreate(); });
}

TForm1::~TForm1() {
  UnregisterAsDialTarget();
}

void TForm1::BuildMainMenu() {
  N6 = &PopupMainMenu.Add(texts::kStatistics);
  ShowLogItem = &N6->Add(texts::kShowLog);
  N9 = &N6->Add(texts::kManageStatistics, /*enabled=*/false);
  N2 = &PopupMainMenu.Add(texts::kUsers);
  UsersItem = &N2->Add(texts::kUsersDialog, false);
  LoadUsersItem = &N2->Add(texts::kLoadUsers, false);
  ClearUsersItem = &N2->Add(texts::kClearUsers, false);
  N3 = &PopupMainMenu.Add(texts::kSettings);
  SetupItem = &N3->Add(texts::kSettingsDialog, false);
  OpenSetupItem = &N3->Add(texts::kOpenSettings, false);
  SaveSetupItem = &N3->Add(texts::kSaveSettings, false);
  N16 = &PopupMainMenu.Add(texts::kHelp);
  AboutItem = &N16->Add(texts::kAboutItem);
  DocumentationItem = &N16->Add(texts::kDocumentation, false);
  PopupMainMenu.Add("-");
  ChangeUserItem = &PopupMainMenu.Add(texts::kNewUser);
  TurnOffItem = &PopupMainMenu.Add(texts::kTurnOff, false);
  PopupMainMenu.Add("-");
  ExitItem = &PopupMainMenu.Add(texts::kExit);
}

void TForm1::BuildTrayMenu() {
  ShowItem = &PopupMenuTray.Add(texts::kShowWindow);
  HideItem = &PopupMenuTray.Add(texts::kHideWindow);
  PopupMenuTray.Add("-");
  ConnectItem = &PopupMenuTray.Add(texts::kTrayConnect);
  DisconnectItem = &PopupMenuTray.Add(texts::kTrayDisconnect);
  PopupMenuTray.Add("-");
  N4 = &PopupMenuTray.Add(texts::kStatistics);
  N11 = &N4->Add(texts::kShowLog);
  N13 = &N4->Add(texts::kTrayManageStatistics, /*enabled=*/false);
  N14 = &PopupMenuTray.Add(texts::kSettingsDialog, /*enabled=*/false);
  PopupMenuTray.Add("-");
  N17 = &PopupMenuTray.Add(texts::kHelp);
  N19 = &N17->Add(texts::kTrayDocumentation, false);
  N18 = &N17->Add(texts::kAboutItem);
  PopupMenuTray.Add("-");
  N5 = &PopupMenuTray.Add(texts::kExit);
}

void TForm1::ConnectEvents() {
  OnDestroy = [this] { FormDestroy(); };
  HandleMessage(WM_ACTIVATEFORM,
                [this](std::uintptr_t, std::intptr_t) { Process_WMCTIVATEFORM(); });

  MenuLabel.OnClick = [this] { MenuLabelClick(); };
  MenuLabel.OnMouseMove = [this](int, int) { MenuLabelMouseMove(); };
  MenuLabel.OnMouseLeave = [this] { MenuLabelMouseLeave(); };

  AboutItem->OnClick = [this] { AboutItemClick(); };
  DocumentationItem->OnClick = [this] { DocumentationItemClick(); };
  ExitItem->OnClick = [this] { ExitItemClick(); };
  ChangeUserItem->OnClick = [this] { ChangeUserItemClick(); };
  LoadUsersItem->OnClick = [this] { LoadUsersItemClick(); };
  ClearUsersItem->OnClick = [this] { ClearUsersItemClick(); };

  PassEdit.OnExit = [this] { PassEditExit(); };
  PassEdit.OnKeyPress = [this](char& key) { PassEditKeyPress(key); };
  NextButton.OnClick = [this] { NextButtonClick(); };
  ConnectButton.OnClick = [this] { ConnectButtonClick(); };
  DisconnectButton.OnClick = [this] { DisconnectButtonClick(); };
  ConnectItem->OnClick = [this] { ConnectItemClick(); };
  DisconnectItem->OnClick = [this] { DisconnectItemClick(); };
  ShowLogItem->OnClick = [this] { ShowLogItemClick(); };
  UsersItem->OnClick = [this] { UsersItemClick(); };
  SetupItem->OnClick = [this] { SetupItemClick(); };
  N14->OnClick = [this] { SetupItemClick(); };
  OpenSetupItem->OnClick = [this] { OpenSetupItemClick(); };
  SaveSetupItem->OnClick = [this] { SaveSetupItemClick(); };
  N11->OnClick = [this] { ShowLogItemClick(); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
  BackButton.OnClick = [this] { BackButtonClick(); };

  ShowItem->OnClick = [this] { ShowItemClick(); };
  HideItem->OnClick = [this] { HideItemClick(); };
  N18->OnClick = [this] { AboutItemClick(); };
  N19->OnClick = [this] { DocumentationItemClick(); };
  N5->OnClick = [this] { ExitItemClick(); };
  HandleMessage(dialogs::TTray::WM_TRAYICON,
                [this](std::uintptr_t, std::intptr_t mouseMessage) { TrayMessage(mouseMessage); });
  // A taskbar made anew (Explorer restarted) shows only the icons handed to it again.
  if (const std::uint32_t taskbarCreated = services_.notifyIcons.TaskbarCreatedMessage()) {
    HandleMessage(taskbarCreated, [this](std::uintptr_t, std::intptr_t) {
      if (Tray) Tray->AddIconAgain();
    });
  }

  TurnOffItem->OnClick = [this] { TurnOffItemClick(); };
  TurnOffTimer.OnTimer = [this] { TurnOffTimerTimer(); };
  TimeTimer.OnTimer = [this] { TimeTimerTimer(); };
}

void TForm1::FormCreate() {
  Setup = std::make_unique<data::TSetup>(services_.profiles);
  Users = std::make_unique<data::TUsers>();
  Tray = std::make_unique<dialogs::TTray>(services_.notifyIcons);
  Log = std::make_unique<data::TLog>(
      services_.clock, [this](const std::string& message) { ui::ShowMessage(*this, message); });
  Initialize();
}

void TForm1::Initialize() {
  Log->FileName = Setup->LogFileName;
  ApplyLogInterval();
  Label1.SetText(texts::kEnterDetails);
  ChangeHeaders(texts::kTitle);
  OnMinimize = [this] { Minimize(); };
  // A new icon takes the title of this moment as its tip.
  if (Setup->IsShowInTrayOnStartup)
    Tray->AddIcon(*this);
  else
    Tray->DeleteIcon();
  ClearFields();
  // With no users at all the administrator is created and let in, so that someone can
  // manage the program; the seeded table is not written anywhere.
  if (!Users->LoadFromFile(Setup->UsersFile) && Users->Count() == 0) {
    Users->AddUser(texts::kRoot, "", "", "", "");
    CurrentUserName = texts::kRoot;
    PassEditExit();
  }
  LoadUsersToMenu();
  ListPhoneBookEntries();
}

bool TForm1::CommandsHeld() {
  return GetBackend().ModalShown();
}

void TForm1::ChangeHeaders(const std::string& text) {
  SetCaption(text);
  GetBackend().SetApplicationTitle(text);
}

void TForm1::RestoreApp() {
  Show();
  Restore();
  BringToFront();
}

void TForm1::FormDestroy() {
  if (Tray) Tray->DeleteIcon();
}

void TForm1::Process_WMCTIVATEFORM() {
  if (CommandsHeld()) return;
  RestoreApp();
}

void TForm1::AboutItemClick() {
  ui::ShowMessage(*this, texts::kAbout);
}

void TForm1::DocumentationItemClick() {}

void TForm1::MenuLabelClick() {
  MenuLabel.SetTextColor(kLinkColor);
  const ui::Rect frame = ScreenBounds();
  const ui::Rect label = MenuLabel.Bounds();
  PopupMainMenu.Popup({frame.left + label.left, frame.top + label.top - kMenuRaise});
}

void TForm1::MenuLabelMouseMove() {
  MenuLabel.SetTextColor(kLinkHoverColor);
}

void TForm1::MenuLabelMouseLeave() {
  MenuLabel.SetTextColor(kLinkColor);
}

void TForm1::ShowItemClick() {
  if (CommandsHeld()) return;
  RestoreApp();
}

void TForm1::HideItemClick() {
  if (CommandsHeld()) return;
  Hide();
}
