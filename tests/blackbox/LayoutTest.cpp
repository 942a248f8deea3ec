// The main window as it stands after start-up: its frame, client size, and the controls by
// kind, place, size and text.

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

struct ExpectedControl {
  const wchar_t* className;
  int left;
  int top;
  int width;            // 0: not checked (auto-sized labels)
  int height;           // 0: not checked
  const wchar_t* text;  // nullptr: not checked
};

// With two users in the users file and nobody logged in.
const ExpectedControl kControls[] = {
    {L"Static", 16, 16, 0, 0, L"Доступні з`єднання"},
    {L"ListBox", 14, 34, 121, 159, nullptr},
    {L"Static", 176, 18, 0, 0, L"Телефон провайдера:"},
    {L"Edit", 176, 36, 203, 21, L""},
    {L"Static", 176, 62, 0, 0, L"Логін:"},
    {L"Edit", 176, 80, 203, 21, L""},
    {L"Static", 176, 104, 0, 0, L"Пароль з'єднання:"},
    {L"Edit", 176, 122, 203, 21, L""},
    {L"Static", 176, 152, 0, 0, L"Пароль користувача:"},
    {L"Edit", 176, 170, 203, 21, L""},
    {L"Button", 12, 208, 117, 25, L"З`єднатися"},
    {L"Button", 12, 240, 117, 25, L"Розірвати зв`язок"},
    {L"Static", 12, 280, 0, 0, L"Слід ввести свої особисті дані для того, щоб увійти в мережу."},
    {L"Static", 352, 285, 0, 0, L"Меню"},
    {L"Static", 24, 308, 345, 35, nullptr},
    {L"Button", 8, 307, 17, 37, L"<"},
    {L"Button", 368, 307, 17, 37, L">"},
};

using LayoutTest = BlackBoxTest;

TEST_F(LayoutTest, MainWindowFrameAndControls) {
  WriteUsers({{"Anna", "a", "", "", ""}, {ToCp1251(L"Богдан"), "b", "", "", ""}});
  ASSERT_NO_FATAL_FAILURE(StartProgram());

  RECT client{};
  ASSERT_TRUE(::GetClientRect(window_, &client));
  EXPECT_EQ(client.right - client.left, 395);
  EXPECT_EQ(client.bottom - client.top, 351);

  // A fixed frame with a system menu and a minimise box, nothing to resize or maximise.
  const LONG style = StyleOf(window_);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  // In the middle of the desktop.
  RECT frame{};
  ASSERT_TRUE(::GetWindowRect(window_, &frame));
  EXPECT_NEAR(frame.left + frame.right, ::GetSystemMetrics(SM_CXSCREEN), 2);
  EXPECT_NEAR(frame.top + frame.bottom, ::GetSystemMetrics(SM_CYSCREEN), 2);

  for (const ExpectedControl& expected : kControls) {
    SCOPED_TRACE(Utf8(expected.className) + " at " + std::to_string(expected.left) + "," +
                 std::to_string(expected.top));
    HWND control = RequireControl({expected.className, expected.left, expected.top});
    if (control == nullptr) continue;
    EXPECT_TRUE(::IsWindowVisible(control));
    const RECT bounds = BoundsInParent(control);
    if (expected.width != 0) {
      EXPECT_EQ(bounds.right - bounds.left, expected.width);
    }
    if (expected.height != 0) {
      EXPECT_EQ(bounds.bottom - bounds.top, expected.height);
    }
    if (expected.text != nullptr) {
      EXPECT_EQ(Utf8(TextOf(control)), Utf8(expected.text));
    }
    // Labels size themselves to their text in whatever font the system draws with.
    if (_wcsicmp(expected.className, L"Static") == 0 && expected.text != nullptr &&
        *expected.text != L'\0') {
      EXPECT_GE(bounds.right - bounds.left, TextWidth(expected.text)) << "clipped caption";
    }
  }

  // The rule Bevel1 (8,297 377x5, bottom line only) may be a window as high as the line.
  const auto isRule = [this](HWND child) {
    const RECT r = BoundsInParent(child);
    return _wcsicmp(ClassOf(child).c_str(), L"Static") == 0 && r.left == 8 && r.right == 385 &&
           r.bottom == 302 && r.top >= 297 && ::IsWindowVisible(child);
  };
  const std::vector<HWND> children = ChildrenOf(window_);
  EXPECT_EQ(std::count_if(children.begin(), children.end(), isRule), 1)
      << "no rule along the bottom of 8,297 377x5; the main window holds:\n"
      << DescribeChildren(window_);

  // Two password fields echo "*"; the phone and login fields show what they hold.
  for (const Place& field : {kPasswordEdit, kPassEdit}) {
    HWND edit = RequireControl(field);
    if (edit == nullptr) continue;
    EXPECT_TRUE(StyleOf(edit) & ES_PASSWORD) << "field at " << field.top;
    bool answered = false;
    DWORD_PTR echo = 0;
    answered =
        ::SendMessageTimeoutW(edit, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 5000, &echo) != 0;
    EXPECT_TRUE(answered);
    EXPECT_EQ(echo, static_cast<DWORD_PTR>(L'*')) << "field at " << field.top;
  }
  for (const Place& field : {kPhoneEdit, kLoginEdit}) {
    HWND edit = RequireControl(field);
    if (edit != nullptr) {
      EXPECT_FALSE(StyleOf(edit) & ES_PASSWORD) << "field at " << field.top;
    }
  }

  // Three users or fewer: nothing to scroll.
  for (const Place& arrow : {kBackButton, kNextButton}) {
    HWND button = RequireControl(arrow);
    if (button != nullptr) {
      EXPECT_FALSE(::IsWindowEnabled(button)) << "arrow at " << arrow.left;
    }
  }
}

}  // namespace
}  // namespace blackbox
