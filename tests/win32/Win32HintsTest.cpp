// Hints are tools of one tooltip window per form, keyed by the control's window.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "contract/ToolkitHarness.h"
#include "platform/text/Cp1251.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::ClassOf;
using win32test::WindowOf;

struct TooltipSearch {
  HWND form;
  HWND found;
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TooltipSearch*>(data);
  if (ClassOf(window) != TOOLTIPS_CLASSW || ::GetWindow(window, GW_OWNER) != search->form)
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND TooltipOf(HWND form) {
  TooltipSearch search{form, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ToolText(HWND tooltip, HWND form, HWND control) {
  wchar_t text[512] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  ::SendMessageW(tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  return text;
}

int ToolCount(HWND tooltip) {
  return static_cast<int>(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
}

ui::FormOptions HintedFormOptions() {
  ui::FormOptions options;
  options.clientSize = {395, 351};
  return options;
}

class Win32Hints : public ::testing::Test {
 protected:
  std::unique_ptr<ToolkitHarness> harness_ = MakeToolkitHarness();
  ui::Form form_{harness_->Backend(), HintedFormOptions()};
};

TEST_F(Win32Hints, EachHintIsAToolOfTheFormsTooltipWithItsUnicodeText) {
  ui::Edit phone(form_, {176, 36, 203, 21});
  ui::Button connect(form_, {12, 208, 117, 25}, "OK");
  ui::Label plain(form_, ui::Point{10, 10}, "no hint");
  ::SendMessageW(WindowOf(plain), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(TooltipOf(WindowOf(form_)), nullptr) << "no tooltip while there is no hint";

  phone.SetHint(Cp(u8"Номер телефону провайдера"));
  connect.SetHint(Cp(u8"З`єднатися з мережею"));
  EXPECT_EQ(TooltipOf(WindowOf(form_)), nullptr) << "made at the first mouse move, not before";
  ::SendMessageW(WindowOf(plain), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  const HWND tooltip = TooltipOf(WindowOf(form_));
  ASSERT_NE(tooltip, nullptr) << "made when the mouse moves over any control of the form";
  EXPECT_TRUE(::GetWindowLongW(tooltip, GWL_STYLE) & TTS_ALWAYSTIP);
  EXPECT_EQ(ToolCount(tooltip), 2);
  EXPECT_EQ(ToolText(tooltip, WindowOf(form_), WindowOf(phone)), L"Номер телефону провайдера");
  EXPECT_EQ(ToolText(tooltip, WindowOf(form_), WindowOf(connect)), L"З`єднатися з мережею");

  connect.SetHint(Cp(u8"Розз`єднатися"));
  EXPECT_EQ(ToolCount(tooltip), 2);
  EXPECT_EQ(ToolText(tooltip, WindowOf(form_), WindowOf(connect)), L"Розз`єднатися");
  EXPECT_EQ(connect.Hint(), Cp(u8"Розз`єднатися"));

  phone.SetHint("");
  EXPECT_EQ(ToolCount(tooltip), 1);
  {
    ui::Button passing(form_, {12, 240, 117, 25}, "x");
    passing.SetHint("Gone soon");
    EXPECT_EQ(ToolCount(tooltip), 2);
  }
  EXPECT_EQ(ToolCount(tooltip), 1) << "a destroyed control's tool goes with it";
  ::SendMessageW(WindowOf(connect), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(TooltipOf(WindowOf(form_)), tooltip) << "one tooltip for the form";
  EXPECT_EQ(ToolCount(tooltip), 1);
}

TEST_F(Win32Hints, HintsSetAndRemovedBeforeTheTooltipIsMadeAreTheOnlyOnesItGets) {
  ui::Edit phone(form_, {176, 36, 203, 21});
  ui::Edit login(form_, {176, 80, 203, 21});
  phone.SetHint("first");
  phone.SetHint(Cp(u8"Номер телефону"));
  login.SetHint("gone");
  login.SetHint("");
  {
    ui::Button passing(form_, {12, 240, 117, 25}, "x");
    passing.SetHint("Gone before the tooltip");
  }
  ::SendMessageW(WindowOf(login), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  const HWND tooltip = TooltipOf(WindowOf(form_));
  ASSERT_NE(tooltip, nullptr);
  EXPECT_EQ(ToolCount(tooltip), 1);
  EXPECT_EQ(ToolText(tooltip, WindowOf(form_), WindowOf(phone)), L"Номер телефону");
}

TEST_F(Win32Hints, TheFirstHoverOverAControlShowsItsHint) {
  ui::Button connect(form_, {12, 208, 117, 25}, "OK");
  connect.SetHint(Cp(u8"З`єднатися з мережею"));
  form_.Show();
  harness_->MoveAway(connect);
  ASSERT_EQ(TooltipOf(WindowOf(form_)), nullptr);

  // The move that makes the tooltip is the one it starts timing from; no second move comes.
  harness_->Hover(connect, 10, 10);
  const HWND tooltip = TooltipOf(WindowOf(form_));
  ASSERT_NE(tooltip, nullptr);
  EXPECT_TRUE(harness_->WaitUntil([&] { return ::IsWindowVisible(tooltip) != FALSE; }, 5000))
      << "the hint never showed";
  harness_->MoveAway(connect);
}

}  // namespace
