// The icon in the notification area, as the shell holds it: none while the settings ask for
// none, one once an accepted dial sends the window out of sight.

#include <algorithm>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kName = L"Оксана";
const std::wstring kPass = L"ключ-5";
const std::wstring kConnected = L"Ви ввійшли в мережу.";
const std::wstring kDisconnected = L"Роз`єднано.";
// The program's only icon.
constexpr UINT kIconId = 0;

class TrayTest : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers({{ToCp1251(kName), ToCp1251(kPass), "0445550", "oksana", "net-5"}});
    folder_.Write(L"phonebook.ini", ToCp1251(L"[Домашній інтернет]\r\nStepMs=60\r\n"));
  }

  // Starts the program against the stand-in service with the test's phone book.
  void Start() {
    StartProgram({{L"BRUMELKA_RAS_PHONEBOOK", (folder_.Path() / L"phonebook.ini").wstring()}});
  }
};

TEST_F(TrayTest, AnAcceptedDialAddsTheIconAndHidesTheWindow) {
  ASSERT_NO_FATAL_FAILURE(WriteSettings(/*minimizeToTrayOnConnect=*/true,
                                        /*showInTrayOnStartup=*/false));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn(kName, kPass));
  EXPECT_FALSE(NotifyIconShown(window_, kIconId)) << "an icon before the dial";

  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  ASSERT_TRUE(Click(connect));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window_); }))
      << "the main window is still in sight after the dial";
  EXPECT_TRUE(WaitUntil([&] { return NotifyIconShown(window_, kIconId); }))
      << "no icon in the notification area after the dial";
  // It is the dial that goes on behind the icon.
  HWND status = RequireControl(kStatusLine);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(status) == kConnected; }))
      << "status: " << Utf8(TextOf(status));
}

TEST_F(TrayTest, ClicksOnTheIconShowAndHideTheWindowOpenTheMenuAndHangUp) {
  ASSERT_NO_FATAL_FAILURE(WriteSettings(/*minimizeToTrayOnConnect=*/true, false));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn(kName, kPass));
  const std::vector<HWND> before = WineTrayIconWindows();
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  HWND status = RequireControl(kStatusLine);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(status) == kConnected; }))
      << "status: " << Utf8(TextOf(status));
  ASSERT_FALSE(::IsWindowVisible(window_));
  // Clicks go to the icon's window in Wine's notification area, as the mouse's would: Wine
  // hands them on to the program with the message and id the program gave.
  HWND icon = NewTrayIcon(before);
  ASSERT_NE(icon, nullptr) << "no new icon in Wine's notification area";

  ::PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window_) != FALSE; }))
      << "a left click didn't bring the window back";
  ::PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window_); }))
      << "a second left click didn't hide the window";

  const auto menuOpen = [this] { return !VisibleWindowsOf(program_->Id(), L"#32768").empty(); };
  ::PostMessageW(icon, WM_RBUTTONDOWN, MK_RBUTTON, 0);
  EXPECT_TRUE(WaitUntil(menuOpen)) << "a right click opened no menu";
  PressKey(window_, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !menuOpen(); })) << "Escape left the menu open";
  EXPECT_EQ(Utf8(TextOf(status)), Utf8(kConnected)) << "the menu did something";

  ::PostMessageW(icon, WM_MBUTTONDOWN, MK_MBUTTON, 0);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(status) == kDisconnected; }))
      << "a middle click didn't hang up; status: " << Utf8(TextOf(status));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  const std::optional<std::string> log = ReadBytes(folder_.Path() / L"connects.log");
  EXPECT_EQ(Lines(log.value_or("")).size(), 2u) << Escape(log.value_or(""));
}

TEST_F(TrayTest, WithoutTheTrayOptionsAnAcceptedDialAddsNoIcon) {
  ASSERT_NO_FATAL_FAILURE(WriteSettings(false, false));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn(kName, kPass));
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  HWND status = RequireControl(kStatusLine);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(status) == kConnected; }))
      << "status: " << Utf8(TextOf(status));

  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_FALSE(NotifyIconShown(window_, kIconId));
}

TEST_F(TrayTest, ShowInTrayOnStartupAddsTheIconAtTheStart) {
  ASSERT_NO_FATAL_FAILURE(WriteSettings(false, /*showInTrayOnStartup=*/true));
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(WaitUntil([&] { return NotifyIconShown(window_, kIconId); }))
      << "no icon in the notification area after the start";
  EXPECT_TRUE(::IsWindowVisible(window_));
}

}  // namespace
}  // namespace blackbox
