// While a dialog or a box of the program is up, what still arrives from outside does nothing:
// clicks on the tray icon, a second copy's call and the timers. A log that can't be written
// shows one box however many marks fall meanwhile, a power-off whose log fails is requested
// once, and the settings dialog's report of a bad number is in Ukrainian.

#include <cstdio>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

// What the icon sends the main window, with the mouse message as lParam, and what a second
// copy sends it.
constexpr UINT kTrayMessage = WM_USER + 1;
constexpr UINT kActivateForm = 0x8000 + 9;

const std::wstring kName = L"Оксана";
const std::wstring kPass = L"ключ-5";
const std::wstring kConnected = L"Ви ввійшли в мережу.";
const std::wstring kLogFailure = L"Помилка логування.";
const std::wstring kSettingsCaption = L"Настройки";

struct DialogUnderTest {
  const wchar_t* caption;
  std::vector<UINT> menuKeys;  // from the main menu's first item to the dialog's
  Place closeButton;           // one that closes it without changing anything
};
const DialogUnderTest kUsersDialog{
    L"Користувачі", {VK_DOWN, VK_DOWN, VK_RIGHT}, {L"Button", 290, 280}};
const DialogUnderTest kSettingsDialog{
    L"Настройки", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}, {L"Button", 320, 268}};
const DialogUnderTest kTurnOffDialog{
    L"Вимкнення комп'ютера", std::vector<UINT>(6, VK_DOWN), {L"Button", 247, 104}};

// The settings dialog's interval field and OK.
constexpr Place kIntervalEdit{L"Edit", 20, 224};
constexpr Place kOkButton{L"Button", 222, 268};
// The power-off dialog's controls.
constexpr Place kAtTimeBox{L"Button", 12, 70};
constexpr Place kTimeEdit{L"Edit", 250, 68};
constexpr Place kReadyButton{L"Button", 166, 104};

// The tray menu down to "Настройки..": Показати, Сховати, (a line), З`єднатися, Розірвати
// зв`язок, (a line), Статистика, the item.
const std::vector<UINT> kTraySettingsItem(6, VK_DOWN);

// How long a command that should do nothing is given to show that it did something.
constexpr std::chrono::milliseconds kGrace = 2s;
// How long a box of a failed log write is left up, for the clock's ticks to fall under it.
constexpr std::chrono::milliseconds kUnderTheBox = 3s;

// The box's visible texts, the icon's empty static left out.
std::vector<std::wstring> TextsOf(HWND box) {
  std::vector<std::wstring> texts;
  for (HWND child : ChildrenOf(box))
    if (::IsWindowVisible(child) && _wcsicmp(ClassOf(child).c_str(), L"Static") == 0 &&
        !TextOf(child).empty())
      texts.push_back(TextOf(child));
  return texts;
}

bool HasIcon(HWND box) {
  for (HWND child : ChildrenOf(box))
    if (::IsWindowVisible(child) && _wcsicmp(ClassOf(child).c_str(), L"Static") == 0 &&
        (StyleOf(child) & SS_TYPEMASK) == SS_ICON)
      return true;
  return false;
}

class ModalTest : public BlackBoxTest {
 protected:
  // A settings file like the fixture's, with the log and its interval given.
  void WriteSettingsWith(const std::wstring& logFile, int interval, bool showInTrayOnStartup) {
    const std::wstring text =
        L"[Main]\r\nProgram name=Брумелка\r\n[Data files]\r\nUsersFile=users.usr\r\n"
        L"LogFileName=" +
        logFile + L"\r\n[Params]\r\nIsMinimizeToTrayOnConnect=0\r\nIsShowInTrayOnStartup=" +
        std::to_wstring(showInTrayOnStartup ? 1 : 0) + L"\r\nTimeLogMinuteInterval=" +
        std::to_wstring(interval) + L"\r\n";
    ASSERT_TRUE(WriteBytes(SettingsFile(), ToCp1251(text)));
  }

  // Oksana, a phone book whose entry lets her in, and a log in a folder that isn't there.
  void StartWithAFailingLog(int interval, const Environment& extra = {}) {
    WriteUsers({{ToCp1251(kName), ToCp1251(kPass), "0445550", "oksana", "net-5"}});
    folder_.Write(L"phonebook.ini", ToCp1251(L"[Домашній інтернет]\r\nStepMs=60\r\n"));
    ASSERT_NO_FATAL_FAILURE(WriteSettingsWith(L"no such folder\\connects.log", interval, false));
    Environment environment = extra;
    environment.emplace_back(L"BRUMELKA_RAS_PHONEBOOK",
                             (folder_.Path() / L"phonebook.ini").wstring());
    ASSERT_NO_FATAL_FAILURE(StartProgram(environment));
    ASSERT_NO_FATAL_FAILURE(LogIn(kName, kPass));
  }

  // With nobody in the users file root is made and let in at the start.
  void StartAsRoot() {
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    ASSERT_TRUE(WaitUntil([this] { return Caption() == RootCaption(); })) << Utf8(Caption());
  }

  static std::wstring RootCaption() { return kTitle + L" - root"; }

  void PostTray(UINT mouseMessage) const {
    ::PostMessageW(window_, kTrayMessage, 0, static_cast<LPARAM>(mouseMessage));
  }
  void PostSecondCopysCall() const { ::PostMessageW(window_, kActivateForm, 0, 0); }

  // Everything that arrives from outside, in the order in which each would undo the least of
  // what the one before did: a hang-up (which logs the user out), a second copy's call, the
  // tray menu, and the left click that hides the window.
  void PostEverything() const {
    PostTray(WM_MBUTTONDOWN);
    PostSecondCopysCall();
    PostTray(WM_RBUTTONDOWN);
    PostTray(WM_LBUTTONDOWN);
  }

  HWND OpenFromMainMenu(const DialogUnderTest& under) {
    Choose([this] { PostMouseClick(RequireControl(kMenuLabel)); }, under.menuKeys);
    HWND dialog = WaitForWindow(under.caption);
    EXPECT_NE(dialog, nullptr) << "the dialog did not come";
    return dialog;
  }

  void CloseDialog(HWND dialog, const DialogUnderTest& under) {
    HWND close = DialogControl(dialog, under.closeButton);
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(PostClick(close));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); })) << "the dialog stays";
    ASSERT_TRUE(WaitUntil([this] { return ::IsWindowEnabled(window_) != FALSE; }))
        << "the main window stays disabled after the dialog";
  }

  // The box of a failed log write: the one text, OK alone.
  void ExpectLogFailureBox(HWND box) const {
    ASSERT_NE(box, nullptr) << Boxes().size() << " boxes";
    const std::vector<std::wstring> texts = TextsOf(box);
    EXPECT_EQ(Utf8(texts.size() == 1 ? texts.front() : L""), Utf8(kLogFailure))
        << "the box holds:\n"
        << DescribeChildren(box);
    EXPECT_NE(::GetDlgItem(box, IDOK), nullptr) << "the box holds:\n" << DescribeChildren(box);
  }

  void CloseBox(HWND box) const {
    ASSERT_TRUE(PostClick(::GetDlgItem(box, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }))
        << "the box is still up";
  }
};

TEST_F(ModalTest, UnderEachDialogTheTrayIconAndASecondCopyDoNothing) {
  ASSERT_NO_FATAL_FAILURE(StartAsRoot());
  for (const DialogUnderTest& under : {kUsersDialog, kSettingsDialog, kTurnOffDialog}) {
    SCOPED_TRACE(Utf8(under.caption));
    HWND dialog = OpenFromMainMenu(under);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([this] { return !::IsWindowEnabled(window_); }))
        << "the main window takes input under the dialog";

    PostEverything();
    const auto acted = [&] {
      return !::IsWindowVisible(window_) || ::IsWindowEnabled(window_) || MenuOpen() ||
             !::IsWindowVisible(dialog) || Caption() != RootCaption() || !Boxes().empty();
    };
    EXPECT_FALSE(WaitUntil(acted, kGrace))
        << "main window visible " << ::IsWindowVisible(window_) << ", enabled "
        << ::IsWindowEnabled(window_) << "; menu open " << MenuOpen() << "; dialog visible "
        << ::IsWindowVisible(dialog) << "; caption \"" << Utf8(Caption()) << "\"; "
        << Boxes().size() << " boxes";
    if (MenuOpen()) PressKey(window_, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([this] { return !MenuOpen(); }));
    ASSERT_NO_FATAL_FAILURE(CloseDialog(dialog, under));

    // Without the dialog the same messages act: the click hides the window, the call brings
    // it back.
    PostTray(WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([this] { return !::IsWindowVisible(window_); }))
        << "a left click on the icon didn't hide the window once the dialog was gone";
    PostSecondCopysCall();
    ASSERT_TRUE(WaitUntil([this] { return ::IsWindowVisible(window_) != FALSE; }))
        << "a second copy's call didn't bring the window back";
  }
}

TEST_F(ModalTest, TheSettingsDialogFromTheTrayIsNotOpenedAgainAndTheWindowStaysInTheTray) {
  ASSERT_NO_FATAL_FAILURE(WriteSettings(false, /*showInTrayOnStartup=*/true));
  ASSERT_NO_FATAL_FAILURE(StartAsRoot());
  PostTray(WM_LBUTTONDOWN);
  ASSERT_TRUE(WaitUntil([this] { return !::IsWindowVisible(window_); }))
      << "a left click on the icon didn't hide the window";
  // With the window hidden Wine may still close the menu as the activation settles, after the
  // check that it stayed open and before the keys reach it; the item is then chosen again.
  HWND dialog = nullptr;
  for (int attempt = 0; attempt < 3 && dialog == nullptr; ++attempt) {
    ASSERT_NO_FATAL_FAILURE(Choose([this] { PostTray(WM_RBUTTONDOWN); }, kTraySettingsItem));
    WaitUntil(
        [&] {
          for (HWND window : VisibleWindowsOf(program_->Id()))
            if (CaptionOf(window) == kSettingsCaption) dialog = window;
          return dialog != nullptr;
        },
        kPaintTimeout);
  }
  ASSERT_NE(dialog, nullptr) << "the tray menu's settings item opened no dialog";

  // The settings item once more, had a right click opened the menu.
  PostTray(WM_RBUTTONDOWN);
  if (WaitUntil([this] { return MenuOpen(); }, kGrace)) {
    ADD_FAILURE() << "a right click on the icon opened the tray menu over the dialog";
    for (UINT key : kTraySettingsItem) PressKey(window_, key);
    PressEnter(window_);
  }
  PostTray(WM_LBUTTONDOWN);
  PostSecondCopysCall();

  const auto settingsWindows = [this] {
    int count = 0;
    for (HWND window : VisibleWindowsOf(program_->Id()))
      if (CaptionOf(window) == kSettingsCaption) ++count;
    return count;
  };
  EXPECT_FALSE(WaitUntil(
      [&] {
        return settingsWindows() != 1 || !Boxes().empty() || ::IsWindowVisible(window_) ||
               MenuOpen();
      },
      kGrace))
      << settingsWindows() << " settings windows, " << Boxes().size()
      << " boxes; main window visible " << ::IsWindowVisible(window_) << "; menu open "
      << MenuOpen();
  if (MenuOpen()) PressKey(window_, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([this] { return !MenuOpen(); }));
  ASSERT_NO_FATAL_FAILURE(CloseDialog(dialog, kSettingsDialog));
  EXPECT_TRUE(Boxes().empty());
  PostSecondCopysCall();
  EXPECT_TRUE(WaitUntil([this] { return ::IsWindowVisible(window_) != FALSE; }))
      << "a second copy's call didn't bring the window back after the dialog";
}

TEST_F(ModalTest, ABadIntervalIsReportedInUkrainian) {
  ASSERT_NO_FATAL_FAILURE(StartAsRoot());
  HWND dialog = OpenFromMainMenu(kSettingsDialog);
  ASSERT_NE(dialog, nullptr);
  HWND interval = DialogControl(dialog, kIntervalEdit);
  HWND ok = DialogControl(dialog, kOkButton);
  ASSERT_TRUE(interval != nullptr && ok != nullptr);
  TypeOver(interval, L"abc");
  ASSERT_TRUE(WaitUntil([&] { return TextOf(interval) == L"abc"; }))
      << "the field holds \"" << Utf8(TextOf(interval)) << "\"";
  ASSERT_TRUE(PostClick(ok));

  HWND box = WaitForBox();
  ASSERT_NE(box, nullptr) << "no error report; " << Boxes().size() << " boxes";
  const std::vector<std::wstring> texts = TextsOf(box);
  EXPECT_EQ(Utf8(texts.size() == 1 ? texts.front() : L""),
            Utf8(L"'abc' не є правильним цілим числом."))
      << "the box holds:\n"
      << DescribeChildren(box);
  EXPECT_EQ(Utf8(CaptionOf(box)), Utf8(Caption()));
  EXPECT_TRUE(HasIcon(box)) << "the report has no icon; the box holds:\n" << DescribeChildren(box);
  ASSERT_NO_FATAL_FAILURE(CloseBox(box));
  EXPECT_TRUE(WaitUntil([this] { return ::IsWindowEnabled(window_) != FALSE; }));
  EXPECT_FALSE(::IsWindowVisible(dialog)) << "the dialog came back";
}

TEST_F(ModalTest, AFailingLogShowsOneBoxWhileAMarkFallsUnderIt) {
  ASSERT_NO_FATAL_FAILURE(StartWithAFailingLog(/*interval=*/1));
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  HWND status = RequireControl(kStatusLine);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(status) == kConnected; }))
      << "status: " << Utf8(TextOf(status));

  // The connect line fails; the first mark falls a minute after the line came up.
  HWND box = WaitForBox();
  ASSERT_NO_FATAL_FAILURE(ExpectLogFailureBox(box));
  constexpr std::chrono::milliseconds kPastTheFirstMark = 66s;
  EXPECT_FALSE(
      WaitUntil([&] { return Boxes().size() != 1 || !::IsWindowVisible(box); }, kPastTheFirstMark))
      << Boxes().size() << " boxes while the first one was up";
  EXPECT_FALSE(::IsWindowEnabled(window_)) << "the main window takes input under the box";
  ASSERT_NO_FATAL_FAILURE(CloseBox(box));

  // The mark skipped under the box doesn't come after it.
  EXPECT_FALSE(WaitUntil([this] { return !Boxes().empty(); }, kGrace))
      << "a box came after the first one was closed";
  EXPECT_EQ(Utf8(TextOf(status)), Utf8(kConnected));
}

TEST_F(ModalTest, APowerOffWhoseLogFailsIsRequestedOnce) {
  ASSERT_NO_FATAL_FAILURE(
      StartWithAFailingLog(/*interval=*/10, {{L"BRUMELKA_SIMULATE", folder_.Path().wstring()}}));
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  HWND status = RequireControl(kStatusLine);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(status) == kConnected; }))
      << "status: " << Utf8(TextOf(status));
  HWND connectBox = WaitForBox();
  ASSERT_NO_FATAL_FAILURE(ExpectLogFailureBox(connectBox));
  ASSERT_NO_FATAL_FAILURE(CloseBox(connectBox));

  HWND dialog = OpenFromMainMenu(kTurnOffDialog);
  ASSERT_NE(dialog, nullptr);
  HWND atTime = DialogControl(dialog, kAtTimeBox);
  HWND timeEdit = DialogControl(dialog, kTimeEdit);
  HWND ready = DialogControl(dialog, kReadyButton);
  ASSERT_TRUE(atTime != nullptr && timeEdit != nullptr && ready != nullptr);
  ASSERT_TRUE(Click(atTime));
  const std::wstring time = PresentMinute();
  TypeOver(timeEdit, time);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(timeEdit) == time; }))
      << "the time field holds \"" << Utf8(TextOf(timeEdit)) << "\"";
  ASSERT_TRUE(PostClick(ready));

  // The hang-up's line and the power-off's fail in turn; the once-a-second look at the clock
  // goes on under each box, and neither starts the power-off again.
  const std::filesystem::path systemLog = folder_.Path() / L"system.log";
  for (const char* step : {"the hang-up", "the power-off"}) {
    SCOPED_TRACE(step);
    HWND box = WaitForBox();
    ASSERT_NO_FATAL_FAILURE(ExpectLogFailureBox(box));
    EXPECT_FALSE(WaitUntil(
        [&] { return Boxes().size() != 1 || std::filesystem::exists(systemLog); }, kUnderTheBox))
        << Boxes().size() << " boxes; system.log "
        << (std::filesystem::exists(systemLog) ? "written" : "not written") << " under the box";
    ASSERT_NO_FATAL_FAILURE(CloseBox(box));
  }

  const std::optional<DWORD> exitCode = program_->WaitForExit();
  ASSERT_TRUE(exitCode.has_value()) << "the program still runs; " << Boxes().size() << " boxes";
  EXPECT_EQ(*exitCode, 0u);
  EXPECT_EQ(Escape(ReadBytes(systemLog).value_or("(no system.log)")),
            Escape("power-off requested, flags 12\r\n"));
}

}  // namespace
}  // namespace blackbox
