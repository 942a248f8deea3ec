// The toolkit's count of live GDI objects follows its fonts as they are made and deleted
// (Wine's own count of a process's GDI objects is always zero, so long runs rely on this one).

#include <gtest/gtest.h>

#include "platform/win32/GdiObjects.h"
#include "platform/win32/Win32Fonts.h"

namespace {

TEST(GdiObjects, CountFollowsAFontSetAndItsVariantsAndReturnsWhenAllAreGone) {
  const std::size_t before = win32::LiveGdiObjects();
  {
    win32::FontSet fonts(L"MS Sans Serif", 8);
    EXPECT_EQ(win32::LiveGdiObjects(), before + 1);
    const HFONT bold = fonts.Acquire(true, false);
    const HFONT boldAgain = fonts.Acquire(true, false);
    const HFONT underlined = fonts.Acquire(false, true);
    EXPECT_EQ(bold, boldAgain);
    EXPECT_EQ(win32::LiveGdiObjects(), before + 3);
    fonts.Release(bold);
    EXPECT_EQ(win32::LiveGdiObjects(), before + 3) << "the bold font still has a user";
    fonts.Release(boldAgain);
    EXPECT_EQ(win32::LiveGdiObjects(), before + 2);
    EXPECT_NE(underlined, bold);  // deleted with the set, unreleased
  }
  EXPECT_EQ(win32::LiveGdiObjects(), before);
}

TEST(GdiObjects, AnObjectDeletedTwiceIsCountedOnce) {
  const std::size_t before = win32::LiveGdiObjects();
  const HBRUSH brush = win32::Counted(::CreateSolidBrush(RGB(1, 2, 3)));
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(win32::LiveGdiObjects(), before + 1);
  EXPECT_TRUE(win32::DeleteCounted(brush));
  EXPECT_FALSE(win32::DeleteCounted(brush));
  EXPECT_FALSE(win32::DeleteCounted(nullptr));
  EXPECT_EQ(win32::LiveGdiObjects(), before);
}

}  // namespace
