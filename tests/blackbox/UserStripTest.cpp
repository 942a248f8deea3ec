// The strip of user buttons: three in view, the rest moved out of the window, scrolled one
// place at a time with the arrow buttons.

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

constexpr int kOffScreen = 5000;

class UserStripTest : public BlackBoxTest {
 protected:
  std::vector<HWND> Buttons(const std::vector<std::wstring>& names) const {
    std::vector<HWND> buttons;
    for (const std::wstring& name : names) buttons.push_back(UserButton(name));
    return buttons;
  }

  static std::vector<int> Lefts(const std::vector<HWND>& buttons) {
    std::vector<int> lefts;
    for (HWND button : buttons) lefts.push_back(BoundsInParent(button).left);
    return lefts;
  }

  // Checks the buttons stand at `lefts`, and both arrows. A click is handled before Click
  // returns, and the program moves its buttons right there, so nothing is waited for.
  void ExpectStrip(const std::vector<HWND>& buttons, const std::vector<int>& lefts,
                   bool backEnabled, bool nextEnabled) const {
    EXPECT_EQ(Lefts(buttons), lefts);
    for (HWND button : buttons) {
      const RECT bounds = BoundsInParent(button);
      EXPECT_EQ(bounds.top, 314);
      EXPECT_EQ(bounds.right - bounds.left, 80);
      EXPECT_EQ(bounds.bottom - bounds.top, 22);
      EXPECT_EQ(::GetParent(button), window_) << "a user button is not the main window's child";
      // Out of view is only far to the right, never hidden or disabled.
      EXPECT_TRUE(::IsWindowVisible(button));
      EXPECT_TRUE(::IsWindowEnabled(button));
    }
    EXPECT_EQ(::IsWindowEnabled(RequireControl(kBackButton)) != FALSE, backEnabled);
    EXPECT_EQ(::IsWindowEnabled(RequireControl(kNextButton)) != FALSE, nextEnabled);
  }
};

TEST_F(UserStripTest, FourUsersScrollOnePlaceWithTheArrows) {
  const std::vector<std::wstring> names = {L"Anna", L"Богдан", L"Ціна'ї", L"Dmytro"};
  std::vector<UserFields> users;
  for (const std::wstring& name : names) users.push_back({ToCp1251(name), "x", "", "", ""});
  WriteUsers(users);
  ASSERT_NO_FATAL_FAILURE(StartProgram());

  const std::vector<HWND> buttons = Buttons(names);
  ASSERT_EQ(std::count(buttons.begin(), buttons.end(), nullptr), 0);
  EXPECT_EQ(TextOf(RequireControl(kNextButton)), L">");
  EXPECT_EQ(TextOf(RequireControl(kBackButton)), L"<");
  ExpectStrip(buttons, {30, 155, 280, kOffScreen}, false, true);

  ASSERT_TRUE(Click(RequireControl(kNextButton)));
  {
    SCOPED_TRACE("after >");
    ExpectStrip(buttons, {kOffScreen, 30, 155, 280}, true, false);
  }

  ASSERT_TRUE(Click(RequireControl(kBackButton)));
  {
    SCOPED_TRACE("after <");
    ExpectStrip(buttons, {30, 155, 280, kOffScreen}, false, true);
  }
}

TEST_F(UserStripTest, TenUsersScrollToTheLastThreeAndBack) {
  std::vector<std::wstring> names;
  std::vector<UserFields> users;
  for (int i = 1; i <= 10; ++i) {
    names.push_back(L"User" + std::to_wstring(i));
    users.push_back({ToCp1251(names.back()), "", "", "", ""});
  }
  WriteUsers(users);
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  const std::vector<HWND> buttons = Buttons(names);
  ASSERT_EQ(std::count(buttons.begin(), buttons.end(), nullptr), 0);

  const auto strip = [](int scrolled) {
    std::vector<int> lefts(10, kOffScreen);
    for (int place = 0; place < 3; ++place) lefts[scrolled + place] = 30 + 125 * place;
    return lefts;
  };
  for (int step = 1; step <= 7; ++step) {
    ASSERT_TRUE(Click(RequireControl(kNextButton)));
    SCOPED_TRACE("after " + std::to_string(step) + " x >");
    ExpectStrip(buttons, strip(step), true, step < 7);
    if (HasFailure()) return;
  }
  for (int step = 6; step >= 0; --step) {
    ASSERT_TRUE(Click(RequireControl(kBackButton)));
    SCOPED_TRACE("back to " + std::to_string(step));
    ExpectStrip(buttons, strip(step), step > 0, true);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace blackbox
