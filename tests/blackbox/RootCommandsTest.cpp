// Only root gets the users table and the settings: for another user and for nobody logged in,
// the items that reach them do nothing, in the main menu and in the tray menu alike, and the
// users file and the settings file stay as they were. For root the same keys reach the same
// items, and each of them acts.

#include <algorithm>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kSettingsCaption = L"Настройки";

// The items that only root may use, by the keys that reach them in the main menu: Статистика,
// Користувачі (Користувачі.., Завантажити користувачів, Очистити список користувачів),
// Настройки (Настройки.., Відкрити настройки, Зберегти настройки). For root each of them opens
// a window but the one that empties the users table; a load of users ends with nobody logged in.
struct MenuItem {
  const char* name;
  std::vector<UINT> keys;
};
const std::vector<MenuItem> kItemsWithWindows = {
    {"users dialog", {VK_DOWN, VK_DOWN, VK_RIGHT}},
    {"settings dialog", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}},
    {"open settings", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN}},
    {"save settings", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN}},
};
const MenuItem kLoadUsersItem{"load users", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN}};
const MenuItem kClearUsersItem{"clear users", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN}};
// The tray menu down to "Настройки..": Показати, Сховати, (a line), З`єднатися, Розірвати
// зв`язок, (a line), Статистика, the item.
const std::vector<UINT> kTraySettingsItem(6, VK_DOWN);

class RootCommandsTest : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers({{"root", "", "", "", ""}, {"bob", "bob-5", "0442", "bob_l", "net-b"}});
    // The icon from the start, for the tray menu.
    ASSERT_NO_FATAL_FAILURE(WriteSettings(false, /*showInTrayOnStartup=*/true));
    const std::vector<HWND> before = WineTrayIconWindows();
    ASSERT_NO_FATAL_FAILURE(StartProgram());
    icon_ = NewTrayIcon(before);
    ASSERT_NE(icon_, nullptr) << "no new icon in Wine's notification area";
  }

  // The main menu opens with a click on its link, the tray menu with a right click on the icon.
  void ChooseFromMainMenu(const std::vector<UINT>& keys) {
    Choose([this] { PostMouseClick(RequireControl(kMenuLabel)); }, keys);
  }
  void ChooseFromTrayMenu(const std::vector<UINT>& keys) {
    Choose([this] { ::PostMessageW(icon_, WM_RBUTTONDOWN, MK_RBUTTON, 0); }, keys);
  }

  // The program's visible top-level windows besides the main window.
  std::vector<HWND> OtherWindows() const {
    std::vector<HWND> others = VisibleWindowsOf(program_->Id());
    std::erase(others, window_);
    return others;
  }

  // Whether a window other than the main one comes: a dialog, a file dialog or a box. A command
  // that opens one has opened it once the program answers a message sent after the menu closed.
  ::testing::AssertionResult NoWindowCame() const {
    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
      return ::testing::AssertionFailure() << "the main window doesn't answer";
    if (!WaitUntil([this] { return !OtherWindows().empty(); }, std::chrono::seconds(1)))
      return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "windows came:";
    for (HWND window : OtherWindows())
      failure << " \"" << Utf8(CaptionOf(window)) << "\" (" << Utf8(ClassOf(window)) << ")";
    return failure;
  }

  // Neither menu lets the logged-in user, or nobody, at root's commands.
  void ExpectRootCommandsRefused(const char* who) {
    SCOPED_TRACE(who);
    std::vector<MenuItem> items = kItemsWithWindows;
    items.push_back(kLoadUsersItem);
    items.push_back(kClearUsersItem);
    for (const MenuItem& item : items) {
      SCOPED_TRACE(item.name);
      ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(item.keys));
      EXPECT_TRUE(NoWindowCame());
    }
    SCOPED_TRACE("the tray menu's settings item");
    ASSERT_NO_FATAL_FAILURE(ChooseFromTrayMenu(kTraySettingsItem));
    EXPECT_TRUE(NoWindowCame());
  }

  // Waits for the window that a command of root's opens and closes it again. The program's
  // own dialogs are hidden, a file dialog is destroyed, and only then has the command ended: a
  // click that comes while it still runs is refused as one command at a time.
  void ExpectAWindowAndCloseIt() {
    ASSERT_TRUE(WaitUntil([this] { return !OtherWindows().empty(); })) << "no window came";
    const std::vector<HWND> opened = OtherWindows();
    for (HWND window : opened) ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] {
      return std::all_of(opened.begin(), opened.end(), [](HWND window) {
        return !::IsWindow(window) ||
               (!::IsWindowVisible(window) && _wcsicmp(ClassOf(window).c_str(), L"#32770") != 0);
      });
    })) << "a window stays";
    DWORD_PTR ignored = 0;
    ASSERT_NE(::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored), 0)
        << "the main window doesn't answer";
  }

  HWND icon_ = nullptr;
};

TEST_F(RootCommandsTest, NobodyAndAnotherUserGetNoneOfRootsCommandsAndNoFileChanges) {
  const std::optional<std::string> users = ReadBytes(folder_.Path() / L"users.usr");
  const std::optional<std::string> settings = ReadBytes(SettingsFile());
  ASSERT_TRUE(users.has_value() && settings.has_value());

  ASSERT_NO_FATAL_FAILURE(ExpectRootCommandsRefused("nobody logged in"));
  ASSERT_NO_FATAL_FAILURE(LogIn(L"bob", L"bob-5"));
  ASSERT_NO_FATAL_FAILURE(ExpectRootCommandsRefused("bob"));
  // Still bob, with both users' buttons: the table was neither emptied nor loaded anew.
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - bob"));
  EXPECT_NE(UserButton(L"root"), nullptr);

  program_->Stop();
  EXPECT_EQ(Escape(ReadBytes(folder_.Path() / L"users.usr").value_or("(gone)")), Escape(*users));
  EXPECT_EQ(Escape(ReadBytes(SettingsFile()).value_or("(gone)")), Escape(*settings));
}

TEST_F(RootCommandsTest, ForRootTheSameItemsActAndTheTraysSettingsItemOpensTheDialog) {
  // Root has no password: his button alone lets him in.
  ASSERT_NO_FATAL_FAILURE(LogIn(L"root", L""));
  for (const MenuItem& item : kItemsWithWindows) {
    SCOPED_TRACE(item.name);
    ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(item.keys));
    ASSERT_NO_FATAL_FAILURE(ExpectAWindowAndCloseIt());
  }
  ASSERT_NO_FATAL_FAILURE(ChooseFromTrayMenu(kTraySettingsItem));
  HWND dialog = WaitForWindow(kSettingsCaption);
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not come";
  ASSERT_NO_FATAL_FAILURE(ExpectAWindowAndCloseIt());

  ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(kLoadUsersItem.keys));
  ASSERT_NO_FATAL_FAILURE(ExpectAWindowAndCloseIt());
  ASSERT_TRUE(WaitUntil([this] { return Caption() == kTitle; })) << Utf8(Caption());
  ASSERT_NO_FATAL_FAILURE(LogIn(L"root", L""));
  ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(kClearUsersItem.keys));
  EXPECT_TRUE(WaitUntil([this] { return ChildrenWithText(window_, L"Button", L"bob").empty(); }))
      << "the users table was not emptied; the main window holds:\n"
      << DescribeChildren(window_);
}

}  // namespace
}  // namespace blackbox
