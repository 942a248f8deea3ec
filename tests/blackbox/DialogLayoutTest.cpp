// The three dialogs as they come up on the screen: modal over the main window, every control
// inside the dialog, and every caption wide enough for its text in the font Wine draws with.

#include <algorithm>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

struct DialogUnderTest {
  const wchar_t* caption;
  std::vector<UINT> menuKeys;  // from the main menu's first item to the dialog's
  Place closeButton;           // one that closes it without changing anything
};

const DialogUnderTest kDialogs[] = {
    {L"Користувачі", {VK_DOWN, VK_DOWN, VK_RIGHT}, {L"Button", 290, 280}},
    {L"Настройки", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}, {L"Button", 320, 268}},
    {L"Вимкнення комп'ютера", std::vector<UINT>(6, VK_DOWN), {L"Button", 247, 104}},
};

// Room a caption needs besides its text: a check box's box and the gap after it, a frame's
// edge before its caption, a push button's edges.
constexpr int kCheckBoxRoom = 17;
constexpr int kGroupBoxRoom = 8;
constexpr int kPushButtonRoom = 6;

int RoomBesidesText(HWND control) {
  if (_wcsicmp(ClassOf(control).c_str(), L"Button") != 0) return 0;
  switch (StyleOf(control) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return kCheckBoxRoom;
    case BS_GROUPBOX:
      return kGroupBoxRoom;
    default:
      return kPushButtonRoom;
  }
}

::testing::AssertionResult Fits(HWND control) {
  const std::wstring text = TextOf(control);
  const RECT bounds = BoundsInParent(control);
  const int width = bounds.right - bounds.left;
  const int needed = TextWidth(text) + RoomBesidesText(control);
  if (width >= needed) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << Utf8(ClassOf(control)) << " \"" << Utf8(text) << "\" at " << bounds.left << ","
         << bounds.top << " is " << width << " pixels wide; its caption needs " << needed;
}

class DialogLayoutTest : public BlackBoxTest {};

TEST_F(DialogLayoutTest, DialogsAreModalAndTheirControlsAndCaptionsFit) {
  WriteUsers({{"root", "", "", "", ""}});
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ASSERT_NO_FATAL_FAILURE(LogIn(L"root", L""));

  for (const DialogUnderTest& under : kDialogs) {
    SCOPED_TRACE(Utf8(under.caption));
    ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(under.menuKeys));
    HWND dialog = WaitForWindow(under.caption);
    ASSERT_NE(dialog, nullptr) << "the dialog did not come";
    EXPECT_FALSE(::IsWindowEnabled(window_)) << "the main window takes input under the dialog";

    RECT client{};
    ::GetClientRect(dialog, &client);
    int captions = 0;
    for (HWND control : ChildrenOf(dialog)) {
      if (!::IsWindowVisible(control)) continue;
      const RECT bounds = BoundsInParent(control);
      EXPECT_TRUE(bounds.left >= 0 && bounds.top >= 0 && bounds.right <= client.right &&
                  bounds.bottom <= client.bottom)
          << Utf8(ClassOf(control)) << " \"" << Utf8(TextOf(control)) << "\" at " << bounds.left
          << "," << bounds.top << " reaches out of the " << client.right << "x" << client.bottom
          << " dialog";
      const std::wstring kind = ClassOf(control);
      if (TextOf(control).empty() ||
          (_wcsicmp(kind.c_str(), L"Static") != 0 && _wcsicmp(kind.c_str(), L"Button") != 0))
        continue;
      ++captions;
      EXPECT_TRUE(Fits(control));
    }
    EXPECT_GT(captions, 3) << "the dialog holds:\n" << DescribeChildren(dialog);

    HWND close =
        ChildAt(dialog, under.closeButton.className, under.closeButton.left, under.closeButton.top);
    ASSERT_NE(close, nullptr) << "the dialog holds:\n" << DescribeChildren(dialog);
    ASSERT_TRUE(PostClick(close));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); })) << "the dialog stays";
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(window_) != FALSE; }))
        << "the main window stays disabled after the dialog";
    EXPECT_TRUE(Boxes().empty());
  }
}

}  // namespace
}  // namespace blackbox
