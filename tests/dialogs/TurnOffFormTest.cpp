// The power-off dialog on its own: its controls, the two boxes' rules, the keyboard, and its
// memory from one showing to the next.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "dialogs/TTurnOffForm.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/headless/HeadlessPeers.h"
#include "platform/text/Cp1251.h"

using text::Cp;

namespace {

class TurnOffFormTest : public ::testing::Test {
 protected:
  TurnOffFormTest() { owner.Show(); }

  // Shows the dialog modally over its owner and runs `script`, which must close it.
  void Showing(const std::function<void()>& script) {
    backend.WhileNextModal([script](ui::FormPeer&) { script(); });
    dialog.ShowModal(&owner);
  }

  ui::Control* FocusedControl() {
    for (ui::Control* control : Controls())
      if (control->Focused()) return control;
    return nullptr;
  }

  std::vector<ui::Control*> Controls() {
    return {&dialog.Label1,       &dialog.TimeIntervalCheckBox,
            &dialog.IntervalEdit, &dialog.SetTimeCheckBox1,
            &dialog.TimeEdit,     &dialog.ReadyButton,
            &dialog.CancelButton};
  }

  // The controls Tab visits from the focused one, once round.
  std::vector<ui::Control*> TabRound() {
    std::vector<ui::Control*> visited{FocusedControl()};
    for (int i = 0; i < 8; ++i) {
      backend.PressTab(dialog);
      if (FocusedControl() == visited.front()) break;
      visited.push_back(FocusedControl());
    }
    return visited;
  }

  headless::HeadlessBackend backend;
  ui::Form owner{backend, ui::FormOptions{}};
  ui::Timer turnOffTimer{owner};
  ui::Timer timeTimer{owner};
  dialogs::TimeOfDay shutdownTime{};
  dialogs::TTurnOffForm dialog{backend, {turnOffTimer, timeTimer, shutdownTime}};
};

}  // namespace

TEST_F(TurnOffFormTest, ControlsTheirCaptionsAndTheirStartingState) {
  const auto& options = dynamic_cast<const headless::HeadlessForm&>(dialog.Peer()).Options();
  EXPECT_EQ(options.style, ui::FormStyle::Dialog);
  EXPECT_EQ(options.fontName, "MS Sans Serif");
  EXPECT_EQ(options.fontPoints, 8);
  EXPECT_EQ(dialog.Caption(), Cp("Вимкнення комп'ютера"));
  EXPECT_EQ(dialog.Label1.Text(), Cp("Вкажіть параметри вимкнення"));
  EXPECT_EQ(dialog.TimeIntervalCheckBox.Text(), Cp("Через проміжок часу в хвилинах:"));
  EXPECT_EQ(dialog.SetTimeCheckBox1.Text(), Cp("О заданій годині:"));
  EXPECT_EQ(dialog.ReadyButton.Text(), Cp("Готово"));
  EXPECT_EQ(dialog.CancelButton.Text(), Cp("Відміна"));
  EXPECT_FALSE(dialog.TimeIntervalCheckBox.Checked());
  EXPECT_FALSE(dialog.SetTimeCheckBox1.Checked());
  EXPECT_FALSE(dialog.IntervalEdit.Enabled());
  EXPECT_FALSE(dialog.TimeEdit.Enabled());
  EXPECT_EQ(dialog.IntervalEdit.Text(), "");
  EXPECT_EQ(dialog.TimeEdit.Text(), "");
  EXPECT_FALSE(dialog.Visible());

  // Every control lies inside the client area, and no two overlap.
  const ui::Size client = dialog.ClientSize();
  const std::vector<ui::Control*> controls = Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ui::Rect a = controls[i]->Bounds();
    EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.left + a.width <= client.width &&
                a.top + a.height <= client.height)
        << i;
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const ui::Rect b = controls[j]->Bounds();
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << i << " and " << j;
    }
  }
}

TEST_F(TurnOffFormTest, KeyboardOrderStartsAtReadyAndSkipsTheDisabledField) {
  using C = std::vector<ui::Control*>;
  Showing([&] {
    EXPECT_EQ(TabRound(), (C{&dialog.ReadyButton, &dialog.CancelButton,
                             &dialog.TimeIntervalCheckBox, &dialog.SetTimeCheckBox1}));
    backend.Click(dialog.SetTimeCheckBox1);
    backend.Click(dialog.ReadyButton);  // the empty time is refused; the dialog stays
    EXPECT_EQ(TabRound(), (C{&dialog.ReadyButton, &dialog.CancelButton, &dialog.TimeEdit,
                             &dialog.TimeIntervalCheckBox, &dialog.SetTimeCheckBox1}));
    backend.Click(dialog.TimeIntervalCheckBox);
    backend.Click(dialog.ReadyButton);
    EXPECT_EQ(TabRound(),
              (C{&dialog.ReadyButton, &dialog.CancelButton, &dialog.TimeIntervalCheckBox,
                 &dialog.IntervalEdit, &dialog.SetTimeCheckBox1}));
    backend.Click(dialog.CancelButton);
  });
}

TEST_F(TurnOffFormTest, BoxesExcludeEachOtherAndEachEnablesItsOwnField) {
  Showing([&] {
    backend.Click(dialog.TimeIntervalCheckBox);
    EXPECT_TRUE(dialog.IntervalEdit.Enabled());
    EXPECT_FALSE(dialog.TimeEdit.Enabled());

    backend.Click(dialog.SetTimeCheckBox1);
    EXPECT_TRUE(dialog.SetTimeCheckBox1.Checked());
    EXPECT_FALSE(dialog.TimeIntervalCheckBox.Checked());
    EXPECT_TRUE(dialog.TimeEdit.Enabled());
    EXPECT_FALSE(dialog.IntervalEdit.Enabled());

    backend.Click(dialog.TimeIntervalCheckBox);
    EXPECT_FALSE(dialog.SetTimeCheckBox1.Checked());
    EXPECT_FALSE(dialog.TimeEdit.Enabled());
    EXPECT_TRUE(dialog.IntervalEdit.Enabled());

    backend.Click(dialog.TimeIntervalCheckBox);  // cleared: neither field is open
    EXPECT_FALSE(dialog.TimeIntervalCheckBox.Checked());
    EXPECT_FALSE(dialog.IntervalEdit.Enabled());
    EXPECT_FALSE(dialog.TimeEdit.Enabled());

    backend.Click(dialog.SetTimeCheckBox1);
    backend.Click(dialog.SetTimeCheckBox1);
    EXPECT_FALSE(dialog.TimeEdit.Enabled());
    EXPECT_FALSE(dialog.IntervalEdit.Enabled());
    backend.Click(dialog.CancelButton);
  });
}

TEST_F(TurnOffFormTest, BoxesFieldsAndTextsAreAsLeftAtTheNextShowing) {
  Showing([&] {
    backend.Click(dialog.TimeIntervalCheckBox);
    backend.Type(dialog.IntervalEdit, "15");
    backend.Click(dialog.SetTimeCheckBox1);
    backend.Type(dialog.TimeEdit, "21:45");
    backend.Click(dialog.ReadyButton);
  });
  EXPECT_FALSE(dialog.Visible());
  Showing([&] {
    EXPECT_TRUE(dialog.SetTimeCheckBox1.Checked());
    EXPECT_FALSE(dialog.TimeIntervalCheckBox.Checked());
    EXPECT_TRUE(dialog.TimeEdit.Enabled());
    EXPECT_FALSE(dialog.IntervalEdit.Enabled());
    EXPECT_EQ(dialog.TimeEdit.Text(), "21:45");
    EXPECT_EQ(dialog.IntervalEdit.Text(), "15");
    // Changes put away with Cancel are kept too.
    backend.Click(dialog.TimeIntervalCheckBox);
    dialog.IntervalEdit.SetText("");
    backend.Type(dialog.IntervalEdit, "40");
    backend.Click(dialog.CancelButton);
  });
  Showing([&] {
    EXPECT_TRUE(dialog.TimeIntervalCheckBox.Checked());
    EXPECT_TRUE(dialog.IntervalEdit.Enabled());
    EXPECT_EQ(dialog.IntervalEdit.Text(), "40");
    backend.CloseBox(dialog);
  });
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(timeTimer.Enabled());
  EXPECT_FALSE(turnOffTimer.Enabled());
}

TEST_F(TurnOffFormTest, EnterInAFieldOrOnABoxPressesReadyButOnCancelItCancels) {
  Showing([&] {
    backend.Click(dialog.TimeIntervalCheckBox);
    backend.Type(dialog.IntervalEdit, "5");
    backend.PressEnter(dialog.IntervalEdit);
  });
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(dialog.IntervalEdit.Text(), "5");
  EXPECT_TRUE(turnOffTimer.Enabled());
  EXPECT_EQ(turnOffTimer.Interval(), 300000u);

  Showing([&] {
    backend.Click(dialog.SetTimeCheckBox1);
    backend.Type(dialog.TimeEdit, "6:07");
    dialog.SetTimeCheckBox1.SetFocus();
    backend.PressEnter(dialog.SetTimeCheckBox1);
  });
  EXPECT_EQ(shutdownTime, (dialogs::TimeOfDay{6, 7, 0}));
  EXPECT_TRUE(timeTimer.Enabled());

  Showing([&] {
    backend.Click(dialog.TimeIntervalCheckBox);
    dialog.IntervalEdit.SetText("9");
    dialog.CancelButton.SetFocus();
    backend.PressEnter(dialog.CancelButton);
  });
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(timeTimer.Enabled());
  EXPECT_FALSE(turnOffTimer.Enabled());
}

TEST_F(TurnOffFormTest, RefusalIsShownOverTheDialogAndTheTimeReadBeforeStays) {
  Showing([&] {
    backend.Click(dialog.SetTimeCheckBox1);
    backend.Type(dialog.TimeEdit, "8:30");
    backend.Click(dialog.ReadyButton);
  });
  ASSERT_TRUE(timeTimer.Enabled());
  bool stillOpen = false;
  Showing([&] {
    dialog.TimeEdit.SetText("8:3O");  // a letter O
    backend.Click(dialog.ReadyButton);
    stillOpen = dynamic_cast<const headless::HeadlessForm&>(dialog.Peer()).Modal();
    backend.Click(dialog.CancelButton);
  });
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(backend.Messages().size(), 1u);
  EXPECT_TRUE(backend.Messages()[0].owned);
  EXPECT_EQ(shutdownTime, (dialogs::TimeOfDay{8, 30, 0}));
  EXPECT_FALSE(timeTimer.Enabled());
  EXPECT_FALSE(turnOffTimer.Enabled());
}
