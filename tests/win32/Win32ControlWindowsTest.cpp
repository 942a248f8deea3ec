// Each control is a child window of a standard class with the usual styles, so that screen
// readers and UI automation find it by class, position and text.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "contract/ToolkitHarness.h"
#include "platform/text/Cp1251.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::ClassOf;
using win32test::ExStyleOf;
using win32test::StyleOf;
using win32test::WideTextOf;
using win32test::WindowOf;

class Win32ControlWindows : public ::testing::Test {
 protected:
  Win32ControlWindows() {
    ui::FormOptions options;
    options.caption = Cp(u8"Брумелка 0.90");
    options.clientSize = {395, 351};
    form_ = std::make_unique<ui::Form>(harness_->Backend(), options);
    form_->Show();
  }

  RECT ClientRectOf(HWND control) {
    RECT frame{};
    ::GetWindowRect(control, &frame);
    ::MapWindowPoints(nullptr, WindowOf(*form_), reinterpret_cast<POINT*>(&frame), 2);
    return frame;
  }

  std::unique_ptr<ToolkitHarness> harness_ = MakeToolkitHarness();
  std::unique_ptr<ui::Form> form_;
};

TEST_F(Win32ControlWindows, EachKindIsAChildWindowOfItsStandardClass) {
  ui::Label label(*form_, ui::Point{16, 16}, Cp(u8"Доступні з`єднання"));
  ui::Edit edit(*form_, {176, 36, 203, 21});
  ui::Edit password(*form_, {176, 122, 203, 21}, true);
  ui::Button button(*form_, {12, 208, 117, 25}, Cp(u8"З`єднатися"));
  ui::Button flat(*form_, {8, 307, 17, 37}, "<", true);
  ui::ListBox list(*form_, {14, 34, 121, 159});
  ui::CheckBox check(*form_, {10, 10, 150, 17}, "Check");
  ui::GroupBox group(*form_, {200, 200, 150, 60}, "Group");
  ui::Bevel frame(*form_, {24, 308, 345, 35}, ui::Bevel::Shape::Frame);

  for (const ui::Control* control : std::initializer_list<const ui::Control*>{
           &label, &edit, &password, &button, &flat, &list, &check, &group, &frame}) {
    const HWND window = WindowOf(*control);
    EXPECT_EQ(::GetParent(window), WindowOf(*form_));
    EXPECT_TRUE(StyleOf(window) & WS_CHILD);
    EXPECT_TRUE(StyleOf(window) & WS_VISIBLE);
  }
  EXPECT_EQ(ClassOf(WindowOf(label)), L"Static");
  EXPECT_TRUE(StyleOf(WindowOf(label)) & SS_NOTIFY) << "clicks and hints need it";

  EXPECT_EQ(ClassOf(WindowOf(edit)), L"Edit");
  EXPECT_TRUE(StyleOf(WindowOf(edit)) & ES_AUTOHSCROLL);
  EXPECT_TRUE(ExStyleOf(WindowOf(edit)) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(StyleOf(WindowOf(edit)) & ES_PASSWORD);
  EXPECT_TRUE(StyleOf(WindowOf(password)) & ES_PASSWORD);
  EXPECT_EQ(::SendMessageW(WindowOf(password), EM_GETPASSWORDCHAR, 0, 0), L'*');

  EXPECT_EQ(ClassOf(WindowOf(button)), L"Button");
  EXPECT_EQ(StyleOf(WindowOf(button)) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_FALSE(StyleOf(WindowOf(button)) & BS_FLAT);
  EXPECT_EQ(StyleOf(WindowOf(flat)) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_TRUE(StyleOf(WindowOf(flat)) & BS_FLAT);

  EXPECT_EQ(ClassOf(WindowOf(list)), L"ListBox");
  const LONG listStyle = StyleOf(WindowOf(list));
  EXPECT_TRUE(listStyle & LBS_NOTIFY);
  EXPECT_FALSE(listStyle & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_SORT));
  EXPECT_TRUE(ExStyleOf(WindowOf(list)) & WS_EX_CLIENTEDGE);
  // The scroll bar shows once the items don't fit.
  for (int i = 0; i < 30; ++i) list.Add("Entry");
  EXPECT_TRUE(StyleOf(WindowOf(list)) & WS_VSCROLL);

  EXPECT_EQ(ClassOf(WindowOf(check)), L"Button");
  EXPECT_EQ(StyleOf(WindowOf(check)) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_EQ(StyleOf(WindowOf(group)) & BS_TYPEMASK, BS_GROUPBOX);
  EXPECT_EQ(ClassOf(WindowOf(frame)), L"Static");
  EXPECT_TRUE(StyleOf(WindowOf(frame)) & SS_SUNKEN);
}

TEST_F(Win32ControlWindows, OnlyTheFocusableKindsAreTabStops) {
  ui::Label label(*form_, ui::Point{16, 16}, "L");
  ui::Edit edit(*form_, {176, 36, 203, 21});
  ui::Button button(*form_, {12, 208, 117, 25}, "B");
  ui::Button flat(*form_, {8, 307, 17, 37}, "<", true);
  ui::ListBox list(*form_, {14, 34, 121, 159});
  ui::CheckBox check(*form_, {10, 10, 150, 17}, "C");
  ui::GroupBox group(*form_, {200, 200, 150, 60}, "G");

  EXPECT_TRUE(StyleOf(WindowOf(edit)) & WS_TABSTOP);
  EXPECT_TRUE(StyleOf(WindowOf(button)) & WS_TABSTOP);
  EXPECT_TRUE(StyleOf(WindowOf(list)) & WS_TABSTOP);
  EXPECT_TRUE(StyleOf(WindowOf(check)) & WS_TABSTOP);
  EXPECT_FALSE(StyleOf(WindowOf(label)) & WS_TABSTOP);
  EXPECT_FALSE(StyleOf(WindowOf(flat)) & WS_TABSTOP);
  EXPECT_FALSE(StyleOf(WindowOf(group)) & WS_TABSTOP);
}

TEST_F(Win32ControlWindows, ControlsAreFoundByClassPlaceAndUnicodeText) {
  ui::Button connect(*form_, {12, 208, 117, 25}, Cp(u8"З`єднатися"));
  ui::Button disconnect(*form_, {12, 240, 117, 25}, Cp(u8"Розірвати зв`язок"));
  ui::Label menu(*form_, ui::Point{352, 285}, Cp(u8"Меню"));

  // Found as another program would: by class and wide text, whatever the ANSI code page.
  EXPECT_EQ(::FindWindowExW(WindowOf(*form_), nullptr, L"Button", L"Розірвати зв`язок"),
            WindowOf(disconnect));
  EXPECT_EQ(::FindWindowExW(WindowOf(*form_), nullptr, L"Static", L"Меню"), WindowOf(menu));
  EXPECT_EQ(WideTextOf(WindowOf(connect)), L"З`єднатися");
  EXPECT_EQ(WideTextOf(WindowOf(*form_)), L"Брумелка 0.90");

  const RECT place = ClientRectOf(WindowOf(disconnect));
  EXPECT_EQ(place.left, 12);
  EXPECT_EQ(place.top, 240);
  EXPECT_EQ(place.right - place.left, 117);
  EXPECT_EQ(place.bottom - place.top, 25);

  // Text typed into the window by another program comes back as Windows-1251.
  ::SetWindowTextW(WindowOf(connect), L"Ґанок і їжак");
  EXPECT_EQ(connect.Text(), Cp(u8"Ґанок і їжак"));
}

TEST_F(Win32ControlWindows, ABevelLineIsATwoPixelEtchedRuleAtTheBottomOfItsRectangle) {
  ui::Bevel line(*form_, {8, 297, 377, 5}, ui::Bevel::Shape::BottomLine);
  const HWND window = WindowOf(line);
  EXPECT_EQ(ClassOf(window), L"Static");
  EXPECT_EQ(StyleOf(window) & SS_TYPEMASK, SS_ETCHEDHORZ);
  const RECT place = ClientRectOf(window);
  EXPECT_EQ(place.left, 8);
  EXPECT_EQ(place.right - place.left, 377);
  EXPECT_EQ(place.bottom, 297 + 5);
  EXPECT_EQ(place.bottom - place.top, 2);
  EXPECT_EQ(line.Bounds(), (ui::Rect{8, 297, 377, 5}));
}

TEST_F(Win32ControlWindows, FramesLieBeneathTheControlsPlacedOnThemWhateverTheOrderMade) {
  ui::Bevel strip(*form_, {24, 308, 345, 35}, ui::Bevel::Shape::Frame);
  ui::Button user(*form_, {30, 312, 120, 25}, "root");
  ui::GroupBox group(*form_, {20, 300, 360, 45}, "Group");

  // The frame made before the button and the group box made after it both lie lower in
  // the z-order, so they clip nothing of it.
  const HWND form = WindowOf(*form_);
  EXPECT_EQ(::ChildWindowFromPointEx(form, {60, 320}, CWP_SKIPINVISIBLE), WindowOf(user));
  int userPosition = -1, stripPosition = -1, groupPosition = -1, position = 0;
  for (HWND child = ::GetWindow(form, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT), ++position) {
    if (child == WindowOf(user)) userPosition = position;
    if (child == WindowOf(strip)) stripPosition = position;
    if (child == WindowOf(group)) groupPosition = position;
  }
  EXPECT_LT(userPosition, stripPosition);
  EXPECT_LT(userPosition, groupPosition);
}

TEST_F(Win32ControlWindows, TabOrderIsTheChildrenOrderTheDialogManagerFollows) {
  ui::Edit c(*form_, {10, 10, 100, 21});
  ui::Edit a(*form_, {10, 40, 100, 21});
  ui::Edit b(*form_, {10, 70, 100, 21});
  c.SetTabOrder(2);
  a.SetTabOrder(0);
  b.SetTabOrder(1);

  const HWND form = WindowOf(*form_);
  EXPECT_EQ(::GetNextDlgTabItem(form, nullptr, FALSE), WindowOf(a));
  EXPECT_EQ(::GetNextDlgTabItem(form, WindowOf(a), FALSE), WindowOf(b));
  EXPECT_EQ(::GetNextDlgTabItem(form, WindowOf(b), FALSE), WindowOf(c));
  EXPECT_EQ(::GetNextDlgTabItem(form, WindowOf(c), TRUE), WindowOf(b));
}

TEST_F(Win32ControlWindows, ALinkLabelShowsTheHandAndItsColour) {
  ui::Label link(*form_, ui::Point{352, 285}, Cp(u8"Меню"));
  link.SetLinkStyle(true);
  link.SetTextColor({0, 0, 255});
  const HWND window = WindowOf(link);

  const LRESULT handled = ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(handled);
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

  // The colour the form tells the label to paint its text with.
  const HDC dc = ::GetDC(window);
  ::SetTextColor(dc, RGB(1, 2, 3));
  ::SendMessageW(WindowOf(*form_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 255));
  link.SetTextColor({166, 202, 240});
  ::SendMessageW(WindowOf(*form_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(window));
  EXPECT_EQ(::GetTextColor(dc), RGB(166, 202, 240));
  ::ReleaseDC(window, dc);
}

}  // namespace
