// The icon holder against a shell that records what it is handed.

#include <gtest/gtest.h>

#include <string>

#include "dialogs/TTray.h"
#include "platform/headless/HeadlessBackend.h"
#include "tests/support/FakeNotifyIcons.h"

namespace {

using platform::NotifyIconAction;

class TTrayTest : public ::testing::Test {
 protected:
  std::string Tip(std::size_t call) const { return shell.calls.at(call).data.szTip.data(); }

  headless::HeadlessBackend backend;
  ui::Form window{backend, ui::FormOptions{}};
  testing_support::FakeNotifyIcons shell;
  dialogs::TTray tray{shell};
};

}  // namespace

TEST_F(TTrayTest, SecondAddShowsNoSecondIconAndKeepsTheFirstTip) {
  EXPECT_EQ(tray.IconData.cbSize, 0u);
  backend.SetApplicationTitle("first");
  tray.AddIcon(window);
  backend.SetApplicationTitle("second");
  tray.AddIcon(window);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(Tip(0), "first");
  EXPECT_EQ(std::string(tray.IconData.szTip.data()), "first");
}

TEST_F(TTrayTest, DeleteWithoutAnIconSendsNothingAndDeleteAfterAddSendsTheSameRecord) {
  tray.DeleteIcon();
  EXPECT_TRUE(shell.calls.empty());

  shell.firstFormSize = 104;  // the first form's size in a 64-bit program
  backend.SetApplicationTitle("title");
  tray.AddIcon(window);
  tray.DeleteIcon();
  tray.DeleteIcon();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].data.cbSize, 104u);
  EXPECT_EQ(shell.calls[1].action, NotifyIconAction::Delete);
  EXPECT_EQ(shell.calls[1].data.cbSize, 104u);
  EXPECT_EQ(Tip(1), "title");
  EXPECT_EQ(tray.IconData.cbSize, 0u);

  // A new icon takes the title of its own moment.
  backend.SetApplicationTitle("later");
  tray.AddIcon(window);
  ASSERT_EQ(shell.calls.size(), 3u);
  EXPECT_EQ(Tip(2), "later");
}

TEST_F(TTrayTest, TitleLongerThanTheTipIsCutWithItsZeroInside) {
  for (std::size_t length : {62u, 63u, 64u, 200u}) {
    SCOPED_TRACE(length);
    const std::string title(length, 'x');
    backend.SetApplicationTitle(title);
    // A tip longer before must not leave bytes behind.
    tray.IconData.szTip.fill('#');
    tray.AddIcon(window);
    const auto& tip = shell.calls.back().data.szTip;
    const std::size_t kept = std::min<std::size_t>(length, 63);
    EXPECT_EQ(std::string(tip.data(), kept), title.substr(0, kept));
    for (std::size_t i = kept; i < tip.size(); ++i) EXPECT_EQ(tip[i], '\0') << i;
    tray.DeleteIcon();
  }
}

TEST_F(TTrayTest, RefusedIconStillCountsAsShownUntilDeleted) {
  shell.accepts = false;
  tray.AddIcon(window);
  tray.AddIcon(window);
  EXPECT_EQ(shell.calls.size(), 1u);
  tray.DeleteIcon();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].action, NotifyIconAction::Delete);
}

TEST_F(TTrayTest, AddingAgainHandsTheShellTheShownIconOnlyWhenThereIsOne) {
  tray.AddIconAgain();
  EXPECT_TRUE(shell.calls.empty());
  backend.SetApplicationTitle("shown");
  tray.AddIcon(window);
  backend.SetApplicationTitle("not the tip");
  tray.AddIconAgain();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].action, NotifyIconAction::Add);
  EXPECT_EQ(Tip(1), "shown");
}
