// The forms are laid out in pixels of a 96-DPI screen and the Win32 backend scales them by the
// system DPI: windows are placed and sized in screen pixels, fonts follow their point sizes,
// and every position the portable code reads back is in its own 96-DPI units again.
//
// At 96 DPI this checks that nothing moves by a pixel. tests/win32/run-at-dpi.sh runs these
// cases once more in a Wine prefix set to 144 DPI, with BRUMELKA_EXPECTED_DPI=144, so that the
// scaling itself is checked too.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "contract/ToolkitHarness.h"
#include "platform/text/Cp1251.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::FontOf;
using win32test::WindowOf;

int ScreenDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

int Scaled(int layout) {
  return ::MulDiv(layout, ScreenDpi(), 96);
}

// Where a child window lies in its parent's client area, in screen pixels.
RECT PlacedIn(HWND child) {
  RECT frame{};
  ::GetWindowRect(child, &frame);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&frame), 2);
  return frame;
}

void ExpectPlacedAt(HWND child, int left, int top, int right, int bottom) {
  const RECT placed = PlacedIn(child);
  EXPECT_EQ(placed.left, Scaled(left));
  EXPECT_EQ(placed.top, Scaled(top));
  EXPECT_EQ(placed.right, Scaled(right));
  EXPECT_EQ(placed.bottom, Scaled(bottom));
}

class Win32DpiScaling : public ::testing::Test {
 protected:
  Win32DpiScaling() {
    ui::FormOptions options;
    options.clientSize = {395, 351};
    form_ = std::make_unique<ui::Form>(harness_->Backend(), options);
    form_->Show();
  }

  std::unique_ptr<ToolkitHarness> harness_ = MakeToolkitHarness();
  std::unique_ptr<ui::Form> form_;
};

// Guards the run at another DPI: should the prefix not have taken the setting, every case
// below would pass at 96 DPI without checking any scaling.
TEST_F(Win32DpiScaling, RunsAtTheDpiItWasStartedFor) {
  const char* expected = std::getenv("BRUMELKA_EXPECTED_DPI");
  if (expected == nullptr) GTEST_SKIP() << "started without BRUMELKA_EXPECTED_DPI";
  EXPECT_EQ(ScreenDpi(), std::atoi(expected));
}

TEST_F(Win32DpiScaling, FormClientAreaScalesAndReadsBackInLayoutUnits) {
  RECT client{};
  ASSERT_TRUE(::GetClientRect(WindowOf(*form_), &client));
  EXPECT_EQ(client.right, Scaled(395));
  EXPECT_EQ(client.bottom, Scaled(351));
  EXPECT_EQ(form_->ClientSize(), (ui::Size{395, 351}));

  // The frame read back in layout units holds the client area.
  const ui::Rect frame = form_->ScreenBounds();
  EXPECT_GT(frame.width, 395);
  EXPECT_GT(frame.height, 351);
}

TEST_F(Win32DpiScaling, ControlsScaleByTheirEdgesAndReadBackAsPlaced) {
  // Odd places and sizes: at 144 DPI they fall between screen pixels.
  ui::Edit edit(*form_, {176, 36, 203, 21});
  ui::Button button(*form_, {12, 208, 117, 25}, "OK");
  ui::ListBox list(*form_, {15, 35, 121, 159});
  ui::Button neighbour(*form_, {129, 208, 117, 25}, "Next");

  ExpectPlacedAt(WindowOf(edit), 176, 36, 176 + 203, 36 + 21);
  ExpectPlacedAt(WindowOf(button), 12, 208, 12 + 117, 208 + 25);
  ExpectPlacedAt(WindowOf(list), 15, 35, 15 + 121, 35 + 159);
  // Touching at 96 DPI, touching at any other: no gap, no overlap.
  EXPECT_EQ(PlacedIn(WindowOf(button)).right, PlacedIn(WindowOf(neighbour)).left);

  EXPECT_EQ(edit.Bounds(), (ui::Rect{176, 36, 203, 21}));
  EXPECT_EQ(button.Bounds(), (ui::Rect{12, 208, 117, 25}));
  EXPECT_EQ(list.Bounds(), (ui::Rect{15, 35, 121, 159}));

  button.SetBounds({31, 17, 55, 13});
  ExpectPlacedAt(WindowOf(button), 31, 17, 31 + 55, 17 + 13);
  EXPECT_EQ(button.Bounds(), (ui::Rect{31, 17, 55, 13}));
}

TEST_F(Win32DpiScaling, FontsFollowTheDpiAndLabelsFitTheirText) {
  ui::Label label(*form_, ui::Point{16, 16}, Cp(u8"Телефон провайдера:"));
  const HWND window = WindowOf(label);
  // 8 points are 8/72 of an inch: 11 pixels at 96 DPI, 16 at 144.
  EXPECT_EQ(FontOf(window).lfHeight, -::MulDiv(8, ScreenDpi(), 72));

  // The label's window is as large as its text in that font, and it starts where it was put.
  const RECT placed = PlacedIn(window);
  EXPECT_EQ(placed.left, Scaled(16));
  EXPECT_EQ(placed.top, Scaled(16));
  const HDC dc = ::GetDC(window);
  const HGDIOBJ previous =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
  const std::wstring text = L"Телефон провайдера:";
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  ::SelectObject(dc, previous);
  ::ReleaseDC(window, dc);
  EXPECT_EQ(placed.right - placed.left, extent.cx);

  // Its size as the portable code sees it is that size in layout units.
  const ui::Rect bounds = label.Bounds();
  EXPECT_EQ(bounds.left, 16);
  EXPECT_EQ(bounds.top, 16);
  EXPECT_NEAR(bounds.width, ::MulDiv(extent.cx, 96, ScreenDpi()), 1);
}

TEST_F(Win32DpiScaling, BottomLineStaysTwoPixelsAtTheBottomEdge) {
  ui::Bevel rule(*form_, {8, 298, 379, 5}, ui::Bevel::Shape::BottomLine);
  const RECT placed = PlacedIn(WindowOf(rule));
  EXPECT_EQ(placed.left, Scaled(8));
  EXPECT_EQ(placed.right, Scaled(8 + 379));
  EXPECT_EQ(placed.bottom, Scaled(298 + 5));
  EXPECT_EQ(placed.bottom - placed.top, 2);
  EXPECT_EQ(rule.Bounds(), (ui::Rect{8, 298, 379, 5}));
}

TEST_F(Win32DpiScaling, MousePositionsReachHandlersInLayoutUnits) {
  ui::Label link(*form_, ui::Rect{100, 100, 60, 20}, Cp(u8"Меню"));
  ui::Point seen{-1, -1};
  link.OnMouseMove = [&seen](int x, int y) { seen = {x, y}; };
  ::SendMessageW(WindowOf(link), WM_MOUSEMOVE, 0, MAKELPARAM(Scaled(30), Scaled(10)));
  harness_->Backend().ProcessPendingMessages();
  EXPECT_EQ(seen, (ui::Point{30, 10}));
}

}  // namespace
