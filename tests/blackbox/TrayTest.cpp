// The icon in the notification area, as the shell holds it: none while the settings ask for
// none, one once an accepted dial sends the window out of sight.

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kName = L"Оксана";
const std::wstring kPass = L"ключ-5";
const std::wstring kConnected = L"Ви ввійшли в мережу.";
// The program's only icon.
constexpr UINT kIconId = 0;

class TrayTest : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers({{ToCp1251(kName), ToCp1251(kPass), "0445550", "oksana", "net-5"}});
    folder_.Write(L"phonebook.ini", ToCp1251(L"[Домашній інтернет]\r\nStepMs=60\r\n"));
  }

  // Starts the program with the test's folder as the simulated system.
  void Start() { StartProgram({{L"BRUMELKA_SIMULATE", folder_.Path().wstring()}}); }
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
