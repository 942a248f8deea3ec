// A group frame shows the form's background inside its edge, also on a form that keeps its
// background from being painted over its controls.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "contract/ToolkitHarness.h"
#include "win32/WindowsOf.h"

namespace {

using win32test::WindowOf;

// The colour on the screen at a point of the form's client area, once it has been painted.
COLORREF ScreenColourAt(const ui::Form& form, int x, int y) {
  const HWND window = WindowOf(form);
  ::UpdateWindow(window);
  POINT point{x, y};
  ::ClientToScreen(window, &point);
  const HDC screen = ::GetDC(nullptr);
  const COLORREF colour = ::GetPixel(screen, point.x, point.y);
  ::ReleaseDC(nullptr, screen);
  return colour;
}

TEST(Win32GroupBoxPaint, TheInsideOfAGroupFrameShowsTheFormsBackground) {
  const std::unique_ptr<ToolkitHarness> harness = MakeToolkitHarness();
  ui::FormOptions options;
  options.style = ui::FormStyle::Dialog;
  options.clientSize = {300, 200};
  ui::Form form(harness->Backend(), options);
  ui::GroupBox group(form, {20, 20, 260, 160}, "Group");
  form.Show();
  ::SetForegroundWindow(WindowOf(form));

  const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
  // Outside the frame, and well inside it, away from the edge and the caption.
  ASSERT_EQ(ScreenColourAt(form, 10, 190), background);
  EXPECT_EQ(ScreenColourAt(form, 150, 100), background);
  EXPECT_EQ(ScreenColourAt(form, 40, 160), background);
}

}  // namespace
