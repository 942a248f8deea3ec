#pragma once
// The main window: the controls, both pop-up menus, the shared objects and the start-up
// sequence. Written against the toolkit only, so tests drive it headless.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/TLog.h"
#include "data/TSetup.h"
#include "data/TUsers.h"
#include "dialogs/MainWindowLink.h"
#include "dialogs/TTray.h"
#include "dialogs/TTurnOffForm.h"
#include "dialogs/TimeOfDay.h"
#include "platform/Clock.h"
#include "platform/NotifyIcons.h"
#include "platform/Power.h"
#include "platform/ProfileFiles.h"
#include "platform/RemoteAccess.h"
#include "platform/TextEditor.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Timer.h"

namespace dialogs {
class TUserForm;
class TConfigForm;
}  // namespace dialogs

// What the main window needs from the system it runs on.
struct MainWindowServices {
  platform::ProfileFiles& profiles;
  platform::RemoteAccess& remoteAccess;
  platform::Clock& clock;
  platform::TextEditor& textEditor;
  platform::NotifyIcons& notifyIcons;
  platform::Power& power;
};

class TForm1 : public ui::Form {
 public:
  // A second copy looks for this class and sends it WM_ACTIVATEFORM.
  static constexpr char kWindowClass[] = "Velir_caller_Ident";
  static constexpr std::uint32_t WM_ACTIVATEFORM = 0x8000 + 9;

  // Builds the window and runs FormCreate; faults there go to the general error report.
  TForm1(ui::Backend& backend, MainWindowServices services);
  ~TForm1() override;

  // --- operations other parts call ---
  void Initialize();
  void ChangeHeaders(const std::string& text);
  void RestoreApp();
  void Minimize();
  void ClearFields();
  void IfUserEntered();
  void LoadUsersToMenu();

  // --- event handlers ---
  void FormCreate();
  void FormDestroy();
  void Process_WMCTIVATEFORM();
  void ExitItemClick();
  void AboutItemClick();
  void DocumentationItemClick();
  void MenuLabelClick();
  void MenuLabelMouseMove();
  void MenuLabelMouseLeave();
  void ShowItemClick();
  void HideItemClick();
  void UserChange(const ui::Button& sender);
  void PassEditExit();
  void PassEditKeyPress(char& key);
  void ChangeUserItemClick();
  void LoadUsersItemClick();
  void ClearUsersItemClick();
  void NextButtonClick();
  void BackButtonClick();
  void ConnectButtonClick();
  void DisconnectButtonClick();
  void ConnectItemClick();
  void DisconnectItemClick();
  void Timer1Timer();
  void ShowLogItemClick();
  void TrayMessage(std::intptr_t mouseMessage);
  void TurnOffItemClick();
  void TurnOffTimerTimer();
  void TimeTimerTimer();
  void UsersItemClick();
  void SetupItemClick();
  // The file dialog and the report appear above `over`, the main window when none is given.
  void OpenSetupItemClick(ui::Form* over = nullptr);
  void SaveSetupItemClick(ui::Form* over = nullptr);
  // The service's progress notifier; it may run on any thread.
  static void DialNotifier(std::uintptr_t connection, std::uint32_t state, std::uint32_t error);
  // The UI thread's half of a progress report.
  void ShowDialProgress(std::uintptr_t connection, std::uint32_t state, std::uint32_t error);
  // Watches the line while it is up and the service's release of hung-up connections.
  void LineTimerTimer();

  // --- the connection ---
  // The connection of the dial under way or of the line that is up; zero when there is none.
  std::uintptr_t ConnectionHandle = 0;
  bool LineUp = false;   // the service reported the connection up, and the log says so
  std::string LineUser;  // who was logged in when it came up
  // Hung up, and not yet let go by the service: the port is still theirs.
  std::vector<std::uintptr_t> Releasing;
  // What waits for the releases: a dial asked for meanwhile, or the program's end.
  enum class AfterReleaseStep { Nothing, Dial, End };
  AfterReleaseStep AfterRelease = AfterReleaseStep::Nothing;
  bool PreparingDial = false;  // the dial command lets other messages run before it dials
  bool Ending = false;         // Exit was given: no dial goes out any more
  // How often the line is watched, and more often the release that a dial or the end waits for.
  static constexpr std::uint32_t kLineCheckMs = 250;
  static constexpr std::uint32_t kReleaseCheckMs = 50;
  // The longest wait for the service to let a connection go: a few seconds.
  static constexpr int kReleaseTicks = 5000 / kReleaseCheckMs;
  int ReleaseTicksLeft = 0;

  // --- who is using the program ---
  std::string CurrentUserName;  // empty when nobody is chosen
  bool IsLoggedIn = false;      // the chosen user's password was accepted

  // --- the user button strip ---
  static constexpr int kMaxButtons = data::TUsers::MaxUsers;
  static constexpr std::array<int, 3> SlotLeft = {30, 155, 280};
  static constexpr int kOffScreenLeft = 5000;
  // Position k holds the button of table slot k + 1; ButtonSlots[k] is its strip place,
  // 1..3 visible from the left, below 1 scrolled out left, above 3 out right.
  std::array<std::unique_ptr<ui::Button>, kMaxButtons> UserButtons;
  std::array<int, kMaxButtons> ButtonSlots{};

  // --- the dialogs, made once after the main window; none while they don't exist ---
  dialogs::TUserForm* UserForm = nullptr;
  dialogs::TConfigForm* ConfigForm = nullptr;
  // Make a dialog the first time it is to be shown, when it does not exist yet: its windows
  // are not made while the program starts, and once made it stays, keeping what it holds.
  std::function<dialogs::TUserForm*()> MakeUserForm;
  std::function<dialogs::TConfigForm*()> MakeConfigForm;
  // What the dialogs are made with; the shared objects must exist by then.
  dialogs::MainWindowLink LinkForDialogs();

  // --- the shared objects, made once by FormCreate ---
  std::unique_ptr<data::TSetup> Setup;
  std::unique_ptr<data::TUsers> Users;
  std::unique_ptr<dialogs::TTray> Tray;
  std::unique_ptr<data::TLog> Log;

  // --- controls ---
  // Made in the order their windows stack: the focusable ones in tab order, then the labels,
  // then the frames beneath. Made in any other order they would be restacked at start-up.
  ui::ListBox ConnectionListBox;
  ui::Edit PhoneEdit;
  ui::Edit LoginEdit;
  ui::Edit PassEdit;
  ui::Button ConnectButton;
  ui::Button DisconnectButton;
  ui::Edit PasswordEdit;
  ui::Button BackButton;
  ui::Button NextButton;
  ui::Label Label5;
  ui::Label Label4;
  ui::Label Label3;
  ui::Label Label2;
  ui::Label Label6;
  ui::Label Label1;
  ui::Label MenuLabel;
  ui::Bevel Bevel1;
  ui::Bevel Bevel2;
  ui::FileDialog OpenDialog1;
  ui::FileDialog SaveDialog1;
  ui::Timer Timer1;
  ui::Timer TurnOffTimer;
  ui::Timer TimeTimer;
  ui::Timer LineTimer;

  // --- the scheduled power-off ---
  dialogs::TimeOfDay ShutdownTime;  // its hour and minute count while TimeTimer runs
  // The power-off dialog, made once after the main window; none while it doesn't exist.
  dialogs::TTurnOffForm* TurnOffForm = nullptr;
  std::function<dialogs::TTurnOffForm*()> MakeTurnOffForm;
  // What the power-off dialog is made with.
  dialogs::PowerOffSchedule ScheduleForPowerOff();

  // --- the main menu ---
  ui::PopupMenu PopupMainMenu;
  ui::MenuItem* N6 = nullptr;
  ui::MenuItem* ShowLogItem = nullptr;
  ui::MenuItem* N9 = nullptr;
  ui::MenuItem* N2 = nullptr;
  ui::MenuItem* UsersItem = nullptr;
  ui::MenuItem* LoadUsersItem = nullptr;
  ui::MenuItem* ClearUsersItem = nullptr;
  ui::MenuItem* N3 = nullptr;
  ui::MenuItem* SetupItem = nullptr;
  ui::MenuItem* OpenSetupItem = nullptr;
  ui::MenuItem* SaveSetupItem = nullptr;
  ui::MenuItem* N16 = nullptr;
  ui::MenuItem* AboutItem = nullptr;
  ui::MenuItem* DocumentationItem = nullptr;
  ui::MenuItem* ChangeUserItem = nullptr;
  ui::MenuItem* TurnOffItem = nullptr;
  ui::MenuItem* ExitItem = nullptr;

  // --- the tray menu ---
  ui::PopupMenu PopupMenuTray;
  ui::MenuItem* ShowItem = nullptr;
  ui::MenuItem* HideItem = nullptr;
  ui::MenuItem* ConnectItem = nullptr;
  ui::MenuItem* DisconnectItem = nullptr;
  ui::MenuItem* N4 = nullptr;
  ui::MenuItem* N11 = nullptr;
  ui::MenuItem* N13 = nullptr;
  ui::MenuItem* N14 = nullptr;
  ui::MenuItem* N17 = nullptr;
  ui::MenuItem* N19 = nullptr;
  ui::MenuItem* N18 = nullptr;
  ui::MenuItem* N5 = nullptr;

  static constexpr ui::Color kLinkColor{0, 0, 255};
  static constexpr ui::Color kLinkHoverColor{166, 202, 240};
  // The main menu opens this far above the link's top.
  static constexpr int kMenuRaise = 70;

 private:
  void BuildMainMenu();
  void ListPhoneBookEntries();
  void RegisterAsDialTarget();
  void UnregisterAsDialTarget();
  void ApplyLogInterval();
  // Hangs up the known connection, if any, and logs the end of a line that was up.
  void EndConnection();
  void WatchLine();
  // True once the service no longer knows a hung-up connection: its port is free.
  bool LetGo(std::uintptr_t connection);
  void WithdrawLogIn();
  int ButtonCount() const;
  static int LeftOfSlot(int place);
  void PlaceButton(int index);
  void BuildTrayMenu();
  void ConnectEvents();
  void FocusAfterSettingsCommand();
  // Who may manage the users and the settings.
  bool RootLoggedIn() const;
  // While a box or a dialog of the program is up, commands that still arrive (the tray icon,
  // a second copy, the timers) wait or do nothing, so that none runs into another.
  bool CommandsHeld();

  MainWindowServices services_;
};
