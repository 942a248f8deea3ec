// The strip of user buttons: places, scrolling and the arrows' rule.

#include <vector>

#include "tests/app/MainWindowFixture.h"

using text::Cp;

namespace {

class UserStripTest : public MainWindowTest {
 protected:
  void StartWith(int users) {
    std::vector<UserFields> table;
    for (int i = 1; i <= users; ++i) table.push_back({"user" + std::to_string(i), "", "", "", ""});
    WriteUsers(table);
    Start();
  }

  std::vector<int> Lefts() const {
    std::vector<int> lefts;
    for (const auto& button : form->UserButtons)
      if (button) lefts.push_back(button->Bounds().left);
    return lefts;
  }

  // Where every button stands after `scrolled` net steps to the right.
  static std::vector<int> Expected(int users, int scrolled) {
    std::vector<int> lefts(static_cast<std::size_t>(users), 5000);
    for (int place = 0; place < 3 && scrolled + place < users; ++place)
      lefts[static_cast<std::size_t>(scrolled + place)] = 30 + 125 * place;
    return lefts;
  }
};

}  // namespace

TEST_F(UserStripTest, ButtonsOfAFewUsersStandInTheVisiblePlacesWithArrowsOff) {
  for (int users : {1, 2, 3}) {
    SCOPED_TRACE(users);
    form.reset();
    StartWith(users);
    EXPECT_EQ(Lefts(), Expected(users, 0));
    EXPECT_FALSE(form->NextButton.Enabled());
    EXPECT_FALSE(form->BackButton.Enabled());
  }
}

TEST_F(UserStripTest, EveryButtonHasTheUsersNameSizeTopHintAndNormalFont) {
  WriteUsers({{"anna", "x", "", "", ""}, {Cp("Олена"), "y", "", "", ""}});
  Start();
  ASSERT_NE(form->UserButtons[1], nullptr);
  EXPECT_EQ(form->UserButtons[2], nullptr);
  EXPECT_EQ(form->UserButtons[1]->Text(), Cp("Олена"));
  EXPECT_EQ(form->UserButtons[1]->Bounds(), (ui::Rect{155, 314, 80, 22}));
  EXPECT_EQ(form->UserButtons[0]->Hint(), Cp("Кнопка зміни користувача"));
  EXPECT_FALSE(form->UserButtons[0]->Bold());
  EXPECT_EQ(form->ButtonSlots[0], 1);
  EXPECT_EQ(form->ButtonSlots[1], 2);
  EXPECT_EQ(form->ButtonSlots[2], 0);
}

TEST_F(UserStripTest, NoUsersNoButtonsAndBothArrowsOff) {
  Start();
  form->ClearUsersItemClick();
  EXPECT_TRUE(Lefts().empty());
  EXPECT_FALSE(form->NextButton.Enabled());
  EXPECT_FALSE(form->BackButton.Enabled());
  form->NextButtonClick();
  form->BackButtonClick();
  EXPECT_TRUE(Lefts().empty());
}

TEST_F(UserStripTest, FourUsersScrollOneStepEachWay) {
  StartWith(4);
  EXPECT_EQ(Lefts(), Expected(4, 0));
  EXPECT_TRUE(form->NextButton.Enabled());
  EXPECT_FALSE(form->BackButton.Enabled());

  backend.Click(form->NextButton);
  EXPECT_EQ(Lefts(), Expected(4, 1));
  EXPECT_FALSE(form->NextButton.Enabled());
  EXPECT_TRUE(form->BackButton.Enabled());

  backend.Click(form->BackButton);
  EXPECT_EQ(Lefts(), Expected(4, 0));
  EXPECT_TRUE(form->NextButton.Enabled());
  EXPECT_FALSE(form->BackButton.Enabled());
}

TEST_F(UserStripTest, TenUsersScrollToTheEndAndBackWithoutPassingEither) {
  StartWith(10);
  for (int step = 1; step <= 7; ++step) {
    backend.Click(form->NextButton);
    EXPECT_EQ(Lefts(), Expected(10, step)) << step;
    EXPECT_EQ(form->NextButton.Enabled(), step < 7);
    EXPECT_TRUE(form->BackButton.Enabled());
  }
  // A disabled arrow does nothing.
  backend.Click(form->NextButton);
  EXPECT_EQ(Lefts(), Expected(10, 7));
  for (int step = 6; step >= 0; --step) {
    backend.Click(form->BackButton);
    EXPECT_EQ(Lefts(), Expected(10, step)) << step;
    EXPECT_EQ(form->BackButton.Enabled(), step > 0);
    EXPECT_TRUE(form->NextButton.Enabled());
  }
}

TEST_F(UserStripTest, RebuildWhileScrolledReturnsToTheStart) {
  StartWith(5);
  backend.Click(form->NextButton);
  backend.Click(form->NextButton);
  form->LoadUsersToMenu();
  EXPECT_EQ(Lefts(), Expected(5, 0));
  EXPECT_FALSE(form->BackButton.Enabled());
  EXPECT_TRUE(form->NextButton.Enabled());
}

TEST_F(UserStripTest, RebuildOnAVisibleWindowFocusesTheFirstButton) {
  StartWith(3);
  form->PhoneEdit.SetFocus();
  form->LoadUsersToMenu();
  EXPECT_TRUE(form->UserButtons[0]->Focused());
}

TEST_F(UserStripTest, RebuildOnAHiddenWindowIgnoresTheRefusedFocus) {
  StartWith(4);
  form->Hide();
  form->LoadUsersToMenu();
  EXPECT_EQ(Lefts(), Expected(4, 0));
  EXPECT_TRUE(form->NextButton.Enabled());
  EXPECT_TRUE(backend.Messages().empty());
}

TEST_F(UserStripTest, LoggedInUserScrolledOutOfViewKeepsHisBoldButton) {
  std::vector<UserFields> table;
  for (int i = 1; i <= 10; ++i) table.push_back({"user" + std::to_string(i), "", "", "", ""});
  table[9].pass = "ten";
  WriteUsers(table);
  Start();
  for (int step = 0; step < 7; ++step) backend.Click(form->NextButton);
  backend.Click(*form->UserButtons[9]);
  backend.Type(form->PassEdit, "ten");
  backend.PressEnter(form->PassEdit);
  for (int step = 0; step < 7; ++step) backend.Click(form->BackButton);

  EXPECT_EQ(form->UserButtons[9]->Bounds().left, 5000);
  EXPECT_TRUE(form->UserButtons[9]->Bold());
  form->IfUserEntered();
  EXPECT_TRUE(form->UserButtons[9]->Bold());
  for (int i = 0; i < 9; ++i) EXPECT_FALSE(form->UserButtons[static_cast<std::size_t>(i)]->Bold());
}

TEST_F(UserStripTest, ElevenRecordsInTheFileStillGiveTenButtons) {
  std::vector<UserFields> table;
  for (int i = 1; i <= 11; ++i) table.push_back({"user" + std::to_string(i), "", "", "", ""});
  WriteUsers(table);
  Start();
  EXPECT_EQ(Lefts().size(), 10u);
  EXPECT_EQ(form->UserButtons[9]->Text(), "user10");
}
