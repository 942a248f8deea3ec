// The settings dialog: confirmed with the option to show the icon at start-up ticked, the
// program starts over with the icon in the notification area.

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kDialogCaption = L"Настройки";

// The dialog's controls.
constexpr Place kShowAtStartupBox{L"Button", 20, 170};
constexpr Place kOkButton{L"Button", 222, 268};

// The main menu to "Настройки" and into it, where "Настройки.." comes first.
const std::vector<UINT> kSettingsItem = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT};

constexpr UINT kIconId = 0;

class SettingsDialogTest : public BlackBoxTest {};

TEST_F(SettingsDialogTest, ConfirmedWithShowAtStartupTheIconAppears) {
  WriteUsers({{"root", "", "", "", ""}, {ToCp1251(L"Ірина"), "iryna", "0442", "i", "n"}});
  ASSERT_NO_FATAL_FAILURE(WriteSettings(false, /*showInTrayOnStartup=*/false));
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ASSERT_NO_FATAL_FAILURE(LogIn(L"root", L""));
  EXPECT_FALSE(NotifyIconShown(window_, kIconId)) << "an icon before the settings changed";

  ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(kSettingsItem));
  HWND dialog = WaitForWindow(kDialogCaption);
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not come";
  HWND showAtStartup =
      ChildAt(dialog, kShowAtStartupBox.className, kShowAtStartupBox.left, kShowAtStartupBox.top);
  HWND ok = ChildAt(dialog, kOkButton.className, kOkButton.left, kOkButton.top);
  ASSERT_TRUE(showAtStartup != nullptr && ok != nullptr) << "the dialog holds:\n"
                                                         << DescribeChildren(dialog);
  EXPECT_EQ(Utf8(TextOf(showAtStartup)), Utf8(L"Відображати піктограму при запуску програми"));
  EXPECT_EQ(::SendMessageW(showAtStartup, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ASSERT_TRUE(Click(showAtStartup));
  ASSERT_EQ(::SendMessageW(showAtStartup, BM_GETCHECK, 0, 0), BST_CHECKED);

  ASSERT_TRUE(PostClick(ok));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); })) << "the dialog stays";
  EXPECT_TRUE(WaitUntil([&] { return NotifyIconShown(window_, kIconId); }))
      << "no icon in the notification area after the settings were confirmed";
  // The program started over: nobody is logged in, the window stays in sight.
  EXPECT_TRUE(WaitUntil([&] { return Caption() == kTitle; })) << Utf8(Caption());
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace blackbox
