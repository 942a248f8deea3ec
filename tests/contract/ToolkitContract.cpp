// What the forms rely on from the toolkit, checked against both backends: natively the
// in-memory one, under Windows real windows driven through the system's input queue.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "contract/ToolkitHarness.h"
#include "platform/text/Cp1251.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

namespace {

using text::Cp;

// Long enough for anything the UI thread does at once, short enough to fail fast.
constexpr int kPatience = 3000;
// How long something that must not happen is given to happen anyway.
constexpr int kQuietSpell = 300;

class ToolkitContract : public ::testing::Test {
 protected:
  ui::Backend& Backend() { return harness_->Backend(); }

  std::unique_ptr<ui::Form> MakeForm(bool show = true, ui::Size client = {320, 240},
                                     bool centered = false) {
    ui::FormOptions options;
    options.style = ui::FormStyle::Main;
    options.caption = Cp(u8"Перевірка");
    options.clientSize = client;
    options.centered = centered;
    auto form = std::make_unique<ui::Form>(Backend(), options);
    if (show) form->Show();
    return form;
  }

  bool Eventually(const std::function<bool()>& condition) {
    return harness_->WaitUntil(condition, kPatience);
  }
  bool EverWithin(int milliseconds, const std::function<bool()>& condition) {
    return harness_->WaitUntil(condition, milliseconds);
  }

  // Made first and so destroyed last: the forms of a test go before their backend.
  std::unique_ptr<ToolkitHarness> harness_ = MakeToolkitHarness();
};

// Counts the exit events of a control.
struct ExitCounter {
  explicit ExitCounter(ui::Control& control) {
    control.OnExit = [this] { ++count; };
  }
  int count = 0;
};

// ---------------------------------------------------------------------------------------------
// Focus

TEST_F(ToolkitContract, MovingTheFocusRaisesExitOnceOnTheControlLeftOnly) {
  auto form = MakeForm();
  ui::Edit first(*form, {10, 10, 100, 21});
  ui::Edit second(*form, {10, 40, 100, 21});
  ui::Button third(*form, {10, 70, 100, 25}, "OK");
  ExitCounter firstExits(first), secondExits(second), thirdExits(third);

  first.SetFocus();
  second.SetFocus();
  EXPECT_EQ(firstExits.count, 1);
  EXPECT_EQ(secondExits.count, 0);
  EXPECT_TRUE(second.Focused());
  EXPECT_FALSE(first.Focused());

  second.SetFocus();  // already there: nothing moves
  EXPECT_EQ(secondExits.count, 0);

  third.SetFocus();
  EXPECT_EQ(firstExits.count, 1);
  EXPECT_EQ(secondExits.count, 1);
  EXPECT_EQ(thirdExits.count, 0);
  EXPECT_TRUE(third.Focused());
}

TEST_F(ToolkitContract, HiddenOrDisabledControlsAndControlsOfHiddenOrDisabledFormsRefuseFocus) {
  auto form = MakeForm();
  ui::Edit focused(*form, {10, 10, 100, 21});
  ui::Edit hidden(*form, {10, 40, 100, 21});
  ui::Edit disabled(*form, {10, 70, 100, 21});
  hidden.SetVisible(false);
  disabled.SetEnabled(false);
  ExitCounter exits(focused);
  focused.SetFocus();

  EXPECT_THROW(hidden.SetFocus(), ui::FocusError);
  EXPECT_THROW(disabled.SetFocus(), ui::FocusError);
  EXPECT_TRUE(focused.Focused());
  EXPECT_EQ(exits.count, 0);

  auto neverShown = MakeForm(false);
  ui::Edit onHiddenForm(*neverShown, {10, 10, 100, 21});
  EXPECT_THROW(onHiddenForm.SetFocus(), ui::FocusError);

  auto other = MakeForm();
  ui::Edit onDisabledForm(*other, {10, 10, 100, 21});
  other->Peer().SetEnabled(false);
  EXPECT_THROW(onDisabledForm.SetFocus(), ui::FocusError);
  other->Peer().SetEnabled(true);
  EXPECT_NO_THROW(onDisabledForm.SetFocus());
  EXPECT_TRUE(onDisabledForm.Focused());

  other->Hide();
  EXPECT_THROW(onDisabledForm.SetFocus(), ui::FocusError);
}

TEST_F(ToolkitContract, HidingOrDisablingTheFocusedControlTakesTheFocusAwayWithoutAnExit) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 100, 21});
  ui::Edit other(*form, {10, 40, 100, 21});
  ExitCounter exits(field);

  field.SetFocus();
  field.SetVisible(false);
  EXPECT_FALSE(field.Focused());
  other.SetFocus();
  EXPECT_EQ(exits.count, 0);

  field.SetVisible(true);
  field.SetFocus();
  field.SetEnabled(false);
  EXPECT_FALSE(field.Enabled());
  EXPECT_FALSE(field.Focused());
  other.SetFocus();
  EXPECT_EQ(exits.count, 0);
  field.SetEnabled(true);
  EXPECT_TRUE(field.Enabled());
}

TEST_F(ToolkitContract, FocusGoingToAnotherFormRaisesNoExit) {
  auto first = MakeForm();
  auto second = MakeForm();
  ui::Edit field(*first, {10, 10, 100, 21});
  ui::Edit elsewhere(*second, {10, 10, 100, 21});
  ExitCounter exits(field);

  field.SetFocus();
  elsewhere.SetFocus();
  EXPECT_TRUE(elsewhere.Focused());
  EXPECT_FALSE(field.Focused());
  EXPECT_EQ(exits.count, 0);
}

TEST_F(ToolkitContract, ShowingAFormFocusesItsFirstControlInTabOrder) {
  auto form = MakeForm(false);
  ui::Label caption(*form, ui::Point{10, 10}, "Name");
  ui::Edit later(*form, {10, 30, 100, 21});
  ui::Edit first(*form, {10, 60, 100, 21});
  later.SetTabOrder(1);
  first.SetTabOrder(0);

  form->Show();
  EXPECT_TRUE(Eventually([&] { return first.Focused(); }));
  EXPECT_FALSE(later.Focused());
}

TEST_F(ToolkitContract, TabVisitsEnabledVisibleControlsInTabOrderRaisingExits) {
  auto form = MakeForm();
  ui::Edit third(*form, {10, 10, 100, 21});
  ui::Edit first(*form, {10, 40, 100, 21});
  ui::Label label(*form, ui::Point{120, 40}, "label");
  ui::Edit second(*form, {10, 70, 100, 21});
  ui::Button unordered(*form, {10, 100, 100, 25}, "Go");
  ui::Edit disabled(*form, {10, 130, 100, 21});
  ui::Edit hidden(*form, {10, 160, 100, 21});
  third.SetTabOrder(2);
  first.SetTabOrder(0);
  second.SetTabOrder(1);
  disabled.SetTabOrder(3);
  hidden.SetTabOrder(4);
  disabled.SetEnabled(false);
  hidden.SetVisible(false);
  ExitCounter firstExits(first), secondExits(second), thirdExits(third);

  first.SetFocus();
  harness_->PressTab(*form);
  EXPECT_TRUE(second.Focused());
  EXPECT_EQ(firstExits.count, 1);
  harness_->PressTab(*form);
  EXPECT_TRUE(third.Focused());
  EXPECT_EQ(secondExits.count, 1);
  harness_->PressTab(*form);
  EXPECT_TRUE(unordered.Focused());
  EXPECT_EQ(thirdExits.count, 1);
  harness_->PressTab(*form);
  EXPECT_TRUE(first.Focused()) << "Tab goes round to the start";
}

// As the user strip does: buttons made after the rest, over a frame, and made anew.
TEST_F(ToolkitContract, ControlsMadeLaterOrMadeAnewTakeTheirPlaceInTabOrder) {
  auto form = MakeForm(false);
  ui::Edit second(*form, {10, 130, 100, 21});
  auto removed = std::make_unique<ui::Button>(*form, ui::Rect{10, 40, 80, 22}, "old");
  ui::Bevel frame(*form, {5, 70, 200, 40}, ui::Bevel::Shape::Frame);
  ui::Label label(*form, ui::Point{120, 10}, "label");
  ui::Edit first(*form, {10, 10, 100, 21});
  first.SetTabOrder(0);
  second.SetTabOrder(1);
  removed.reset();
  ui::Button made(*form, {10, 78, 80, 22}, "new");
  removed = std::make_unique<ui::Button>(*form, ui::Rect{100, 78, 80, 22}, "newer");

  form->Show();
  ASSERT_TRUE(Eventually([&] { return first.Focused(); }));
  harness_->PressTab(*form);
  EXPECT_TRUE(second.Focused());
  harness_->PressTab(*form);
  EXPECT_TRUE(made.Focused());
  harness_->PressTab(*form);
  EXPECT_TRUE(removed->Focused());
  harness_->PressTab(*form);
  EXPECT_TRUE(first.Focused());
}

// ---------------------------------------------------------------------------------------------
// Clicks

TEST_F(ToolkitContract, ClickingAButtonTakesTheFocusAndTheFieldLeftExitsBeforeTheClick) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 100, 21});
  ui::Button button(*form, {10, 50, 100, 25}, Cp(u8"З`єднатися"));
  std::vector<std::string> events;
  field.OnExit = [&] { events.push_back("field exit"); };
  button.OnExit = [&] { events.push_back("button exit"); };
  button.OnClick = [&] {
    events.push_back(button.Focused() ? "click, button focused" : "click, focus elsewhere");
  };

  field.SetFocus();
  harness_->Click(button);
  EXPECT_EQ(events, (std::vector<std::string>{"field exit", "click, button focused"}));
  EXPECT_TRUE(button.Focused());

  harness_->Click(button);
  EXPECT_EQ(events.size(), 3u) << "a second click raises no exit of its own";
}

TEST_F(ToolkitContract, ClickingAFlatButtonOrALabelLeavesTheFocusInTheField) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 100, 21});
  ui::Button flat(*form, {10, 50, 17, 37}, "<", true);
  ui::Label link(*form, ui::Point{60, 50}, Cp(u8"Меню"));
  ExitCounter exits(field);
  int flatClicks = 0;
  int linkClicks = 0;
  flat.OnClick = [&] { ++flatClicks; };
  link.OnClick = [&] { ++linkClicks; };

  field.SetFocus();
  harness_->Click(flat);
  harness_->Click(link);
  EXPECT_EQ(flatClicks, 1);
  EXPECT_EQ(linkClicks, 1);
  EXPECT_TRUE(field.Focused());
  EXPECT_EQ(exits.count, 0);
}

TEST_F(ToolkitContract, ClickingADisabledOrHiddenButtonDoesNothing) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 100, 21});
  ui::Button disabled(*form, {10, 50, 100, 25}, "Off");
  ui::Button hidden(*form, {10, 90, 100, 25}, "Gone");
  disabled.SetEnabled(false);
  hidden.SetVisible(false);
  int clicks = 0;
  disabled.OnClick = [&] { ++clicks; };
  hidden.OnClick = [&] { ++clicks; };
  ExitCounter exits(field);

  field.SetFocus();
  harness_->Click(disabled);
  harness_->Click(hidden);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(field.Focused());
  EXPECT_EQ(exits.count, 0);
}

TEST_F(ToolkitContract, CheckBoxesToggleOnAClickBeforeItsEventButNotWhenSetByTheProgram) {
  auto form = MakeForm();
  ui::CheckBox box(*form, {10, 10, 200, 17}, Cp(u8"Згортати в трей"));
  std::vector<bool> seenInHandler;
  box.OnClick = [&] { seenInHandler.push_back(box.Checked()); };

  EXPECT_FALSE(box.Checked());
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  box.SetChecked(false);
  EXPECT_FALSE(box.Checked());
  EXPECT_TRUE(seenInHandler.empty());

  harness_->Click(box);
  harness_->Click(box);
  EXPECT_EQ(seenInHandler, (std::vector<bool>{true, false}));
  EXPECT_TRUE(box.Focused());
}

TEST_F(ToolkitContract, ClickingAListBoxFocusesItAndRaisesItsClick) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 100, 21});
  ui::ListBox list(*form, {10, 40, 120, 100});
  // Items all the way down, so that the middle of the list is on one.
  for (int i = 0; i < 20; ++i) list.Add("Item " + std::to_string(i));
  int clicks = 0;
  list.OnClick = [&] { ++clicks; };
  ExitCounter exits(field);

  field.SetFocus();
  harness_->Click(list);
  EXPECT_TRUE(list.Focused());
  EXPECT_EQ(exits.count, 1);
  EXPECT_EQ(clicks, 1);
}

// ---------------------------------------------------------------------------------------------
// Keys

TEST_F(ToolkitContract, TypedCyrillicReachesTheKeyHandlerAndTheFieldAsWindows1251Bytes) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 200, 21});
  std::string keys;
  field.OnKeyPress = [&](char& key) { keys += key; };

  const std::string typed = Cp(u8"Їжак ґава");
  harness_->TypeText(field, typed);
  EXPECT_EQ(keys, typed);
  EXPECT_EQ(field.Text(), typed);
}

TEST_F(ToolkitContract, TheKeyHandlerCanChangeOrSwallowTheKey) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 200, 21}, true);
  field.OnKeyPress = [](char& key) {
    if (key == 'a') key = 'A';
    if (key == '1') key = 0;
  };

  harness_->TypeText(field, "a1b1");
  EXPECT_EQ(field.Text(), "Ab");
}

TEST_F(ToolkitContract, EnterInAFieldReachesTheKeyHandlerAsCarriageReturnThenTheField) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 200, 21});
  ui::Button button(*form, {10, 50, 100, 25}, "OK");
  std::string keys;
  int buttonClicks = 0;
  button.OnClick = [&] { ++buttonClicks; };
  field.OnKeyPress = [&](char& key) { keys += key; };

  harness_->TypeText(field, "ab");
  harness_->PressEnter(field);
  EXPECT_EQ(keys, "ab\r");
  EXPECT_EQ(field.Text(), "ab") << "Enter adds nothing to a one-line field";
  EXPECT_TRUE(field.Focused());
  EXPECT_EQ(buttonClicks, 0);

  // What the handler leaves in the key is what the field gets.
  field.OnKeyPress = [](char& key) {
    if (key == '\r') key = 'Z';
  };
  harness_->PressEnter(field);
  EXPECT_EQ(field.Text(), "abZ");
}

// ---------------------------------------------------------------------------------------------
// State read back

TEST_F(ToolkitContract, TextsRoundTripByteForByteInWindows1251) {
  auto form = MakeForm();
  ui::Edit edit(*form, {10, 10, 300, 21});
  ui::Edit password(*form, {10, 40, 300, 21}, true);
  ui::Label label(*form, ui::Point{10, 70});
  ui::Button button(*form, {10, 100, 100, 25}, "x");

  // Every byte Windows-1251 gives a character to, in the upper half (0x98 has none).
  std::string upper;
  for (int byte = 0xA0; byte <= 0xFF; ++byte) upper += static_cast<char>(byte);
  for (int byte = 0x80; byte < 0xA0; ++byte)
    if (byte != 0x98) upper += static_cast<char>(byte);
  edit.SetText(upper);
  EXPECT_EQ(edit.Text(), upper);

  const std::string apostrophes = Cp(u8"Розірвати зв`язок, комп'ютер");
  password.SetText(apostrophes);
  EXPECT_EQ(password.Text(), apostrophes);
  label.SetText(Cp(u8"Слід ввести свої особисті дані"));
  EXPECT_EQ(label.Text(), Cp(u8"Слід ввести свої особисті дані"));
  button.SetText(Cp(u8"Розірвати зв`язок"));
  EXPECT_EQ(button.Text(), Cp(u8"Розірвати зв`язок"));
  form->SetCaption(Cp(u8"Брумелка 0.90 - Євген"));
  EXPECT_EQ(form->Caption(), Cp(u8"Брумелка 0.90 - Євген"));

  edit.SetText("");
  EXPECT_EQ(edit.Text(), "");
}

TEST_F(ToolkitContract, LabelsWithoutASizeFitTheirTextAndKeepTheirPlace) {
  auto form = MakeForm();
  ui::Label label(*form, ui::Point{12, 280});
  const ui::Rect empty = label.Bounds();
  EXPECT_EQ(empty.left, 12);
  EXPECT_EQ(empty.top, 280);
  EXPECT_GT(empty.height, 0) << "an empty label still has the height of a line";

  label.SetText(Cp(u8"Коротко"));
  const ui::Rect shortText = label.Bounds();
  label.SetText(Cp(u8"Значно довший текст рядка стану"));
  const ui::Rect longText = label.Bounds();
  EXPECT_GT(shortText.width, empty.width);
  EXPECT_GT(longText.width, shortText.width);
  EXPECT_EQ(longText.height, shortText.height);
  EXPECT_EQ(longText.left, 12);
  EXPECT_EQ(longText.top, 280);

  ui::Label sized(*form, ui::Rect{100, 100, 29, 13}, Cp(u8"Меню головне, довше за місце"));
  EXPECT_EQ(sized.Bounds(), (ui::Rect{100, 100, 29, 13})) << "a label given a size keeps it";
  sized.SetText(Cp(u8"Меню"));
  EXPECT_EQ(sized.Bounds(), (ui::Rect{100, 100, 29, 13}));
}

TEST_F(ToolkitContract, ListBoxItemsAndSelection) {
  auto form = MakeForm();
  ui::ListBox list(*form, {14, 34, 121, 159});
  int clicks = 0;
  list.OnClick = [&] { ++clicks; };
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.SelectedIndex(), -1);

  list.Add(Cp(u8"Укртелеком"));
  list.Add("Beta");
  list.Add(Cp(u8"Ще одне з`єднання"));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(0), Cp(u8"Укртелеком"));
  EXPECT_EQ(list.Item(1), "Beta") << "items keep the order they were added in";
  EXPECT_EQ(list.Item(2), Cp(u8"Ще одне з`єднання"));
  EXPECT_THROW(list.Item(3), std::out_of_range);

  list.SetSelectedIndex(2);
  EXPECT_EQ(list.SelectedIndex(), 2);
  list.SetSelectedIndex(-1);
  EXPECT_EQ(list.SelectedIndex(), -1);
  list.SetSelectedIndex(1);
  list.SetSelectedIndex(7);
  EXPECT_EQ(list.SelectedIndex(), -1) << "a selection past the end selects nothing";
  EXPECT_EQ(clicks, 0) << "the program's own selecting is no click";

  list.SetSelectedIndex(0);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.SelectedIndex(), -1);
  EXPECT_THROW(list.Item(0), std::out_of_range);
}

TEST_F(ToolkitContract, BoldLinkStyleAndColourBelongToEachControl) {
  auto form = MakeForm();
  ui::Button bold(*form, {10, 10, 100, 25}, "root");
  ui::Button plain(*form, {10, 40, 100, 25}, "guest");
  ui::Label link(*form, ui::Point{10, 80}, Cp(u8"Меню"));

  bold.SetBold(true);
  EXPECT_TRUE(bold.Bold());
  EXPECT_FALSE(plain.Bold());
  link.SetLinkStyle(true);
  link.SetTextColor({0, 0, 255});
  EXPECT_EQ(link.TextColor(), (ui::Color{0, 0, 255}));
  EXPECT_EQ(plain.TextColor(), (ui::Color{0, 0, 0}));
  EXPECT_FALSE(link.Bold()) << "the link style underlines; it doesn't embolden";
  bold.SetBold(false);
  EXPECT_FALSE(bold.Bold());
  EXPECT_EQ(bold.Text(), "root");
}

// ---------------------------------------------------------------------------------------------
// Timers

TEST_F(ToolkitContract, ATimerFiresWhileEnabledAndStopsWhenDisabled) {
  auto form = MakeForm();
  ui::Timer timer(*form);
  int ticks = 0;
  timer.OnTimer = [&] {
    if (++ticks == 3) timer.SetEnabled(false);
  };
  timer.SetInterval(20);
  timer.SetEnabled(true);

  EXPECT_TRUE(Eventually([&] { return ticks >= 3; }));
  EXPECT_FALSE(EverWithin(kQuietSpell, [&] { return ticks > 3; }));
  EXPECT_EQ(ticks, 3);

  timer.SetEnabled(true);
  EXPECT_TRUE(Eventually([&] { return ticks >= 4; })) << "enabled again, it fires again";
}

TEST_F(ToolkitContract, ATimerThatIsOffOrHasIntervalZeroNeverFires) {
  auto form = MakeForm();
  ui::Timer timer(*form);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  EXPECT_FALSE(timer.Enabled()) << "a new timer is off";

  timer.SetInterval(20);
  EXPECT_FALSE(EverWithin(kQuietSpell, [&] { return ticks > 0; }));

  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_FALSE(EverWithin(kQuietSpell, [&] { return ticks > 0; }));

  timer.SetInterval(20);
  EXPECT_TRUE(Eventually([&] { return ticks > 0; })) << "given an interval, it starts";
}

// ---------------------------------------------------------------------------------------------
// Modal forms, threads and faults

TEST_F(ToolkitContract, AModalFormDisablesItsOwnerUntilEndModal) {
  auto owner = MakeForm();
  ui::Edit ownerField(*owner, {10, 10, 100, 21});
  auto dialog = MakeForm(false);
  bool ownerEnabledMeanwhile = true;
  bool dialogVisibleMeanwhile = false;
  bool ownerFieldRefusedFocus = false;
  Backend().PostToUiThread([&] {
    ownerEnabledMeanwhile = owner->Peer().Enabled();
    dialogVisibleMeanwhile = dialog->Visible();
    try {
      ownerField.SetFocus();
    } catch (const ui::FocusError&) {
      ownerFieldRefusedFocus = true;
    }
    dialog->EndModal();
  });

  dialog->ShowModal(owner.get());
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_TRUE(dialogVisibleMeanwhile);
  EXPECT_TRUE(ownerFieldRefusedFocus);
  EXPECT_TRUE(owner->Peer().Enabled());
  EXPECT_FALSE(dialog->Visible());
  EXPECT_NO_THROW(ownerField.SetFocus());
}

TEST_F(ToolkitContract, CallsPostedFromAnotherThreadRunOnTheUiThreadInPostingOrder) {
  auto form = MakeForm();
  const std::thread::id uiThread = std::this_thread::get_id();
  std::vector<int> ran;
  bool allOnUiThread = true;
  constexpr int kCalls = 200;

  std::thread worker([&] {
    for (int i = 0; i < kCalls; ++i)
      Backend().PostToUiThread([&, i] {
        ran.push_back(i);
        allOnUiThread = allOnUiThread && std::this_thread::get_id() == uiThread;
      });
  });
  worker.join();
  ASSERT_TRUE(Eventually([&] { return ran.size() == kCalls; }));
  for (int i = 0; i < kCalls; ++i) ASSERT_EQ(ran[i], i);
  EXPECT_TRUE(allOnUiThread);
}

TEST_F(ToolkitContract, ACallPostedOnTheUiThreadRunsLaterNotAtOnce) {
  auto form = MakeForm();
  bool ran = false;
  Backend().PostToUiThread([&] { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_TRUE(Eventually([&] { return ran; }));
}

TEST_F(ToolkitContract, AFaultEscapingAHandlerIsReportedAndTheProgramGoesOn) {
  auto form = MakeForm();
  ui::Button button(*form, {10, 10, 100, 25}, "Fail");
  ui::Timer timer(*form);
  int clicks = 0;
  button.OnClick = [&] {
    ++clicks;
    throw std::runtime_error(Cp(u8"Файл не відкривається"));
  };
  timer.OnTimer = [&] {
    timer.SetEnabled(false);
    throw std::runtime_error("timer fault");
  };

  harness_->Click(button);
  EXPECT_EQ(harness_->ErrorReports(), std::vector<std::string>{Cp(u8"Файл не відкривається")});

  timer.SetInterval(10);
  timer.SetEnabled(true);
  EXPECT_TRUE(Eventually([&] { return harness_->ErrorReports().size() == 2; }));
  EXPECT_EQ(harness_->ErrorReports().back(), "timer fault");

  harness_->Click(button);
  EXPECT_EQ(clicks, 2) << "the program goes on handling events";
  EXPECT_EQ(harness_->ErrorReports().size(), 3u);
}

TEST_F(ToolkitContract, AFaultEscapingAPostedCallIsReported) {
  auto form = MakeForm();
  bool after = false;
  Backend().PostToUiThread([] { throw std::runtime_error("posted fault"); });
  Backend().PostToUiThread([&] { after = true; });
  EXPECT_TRUE(Eventually([&] { return after; }));
  EXPECT_EQ(harness_->ErrorReports(), std::vector<std::string>{"posted fault"});
}

// ---------------------------------------------------------------------------------------------
// Forms

TEST_F(ToolkitContract, TheClientAreaIsExactlyAsAskedAndACentredFormIsMadeCentred) {
  auto form = MakeForm(true, {395, 351}, /*centered=*/true);
  EXPECT_EQ(form->ClientSize(), (ui::Size{395, 351}));
  const ui::Rect frame = form->ScreenBounds();
  const ui::Size screen = harness_->ScreenSize();
  EXPECT_GT(frame.width, 395);
  EXPECT_GT(frame.height, 351) << "the frame adds a caption";
  EXPECT_LE(std::abs(frame.left * 2 + frame.width - screen.width), 1);
  EXPECT_LE(std::abs(frame.top * 2 + frame.height - screen.height), 1);
}

TEST_F(ToolkitContract, TheMinimiseBoxRaisesOnMinimizeOnceAndRestoreUndoesIt) {
  auto form = MakeForm();
  int minimized = 0;
  form->OnMinimize = [&] { ++minimized; };

  harness_->Minimize(*form);
  EXPECT_EQ(minimized, 1);
  EXPECT_TRUE(form->Peer().Minimized());
  form->Restore();
  EXPECT_FALSE(form->Peer().Minimized());
  EXPECT_EQ(minimized, 1);
}

TEST_F(ToolkitContract, TheCloseBoxRaisesCloseThenDestroyAndTheFormIsGone) {
  auto form = MakeForm();
  std::vector<std::string> events;
  form->OnClose = [&] { events.push_back("close"); };
  form->OnDestroy = [&] { events.push_back("destroy"); };

  harness_->CloseBox(*form);
  EXPECT_EQ(events, (std::vector<std::string>{"close", "destroy"}));
  EXPECT_FALSE(form->Visible());
}

TEST_F(ToolkitContract, PrivateMessagesReachTheirHandlersWithTheirParameters) {
  auto form = MakeForm();
  std::vector<std::pair<std::uintptr_t, std::intptr_t>> activations, trayCalls;
  form->HandleMessage(0x8009,
                      [&](std::uintptr_t w, std::intptr_t l) { activations.emplace_back(w, l); });
  form->HandleMessage(1025,
                      [&](std::uintptr_t w, std::intptr_t l) { trayCalls.emplace_back(w, l); });

  harness_->SendFormMessage(*form, 0x8009, 0, 0);
  harness_->SendFormMessage(*form, 1025, 7, 0x0201);
  harness_->SendFormMessage(*form, 0x8010, 1, 2);  // nobody's: ignored
  EXPECT_EQ(activations, (std::vector<std::pair<std::uintptr_t, std::intptr_t>>{{0, 0}}));
  EXPECT_EQ(trayCalls, (std::vector<std::pair<std::uintptr_t, std::intptr_t>>{{7, 0x0201}}));
}

TEST_F(ToolkitContract, RegisteredMessagesReachTheirHandlersToo) {
  auto form = MakeForm();
  int taskbarCalls = 0;
  // A number from the range RegisterWindowMessage gives out, as for the shell's
  // "TaskbarCreated".
  form->HandleMessage(0xC0DE, [&](std::uintptr_t, std::intptr_t) { ++taskbarCalls; });
  harness_->SendFormMessage(*form, 0xC0DE, 0, 0);
  harness_->SendFormMessage(*form, 0xC0DF, 0, 0);  // nobody's: ignored
  EXPECT_EQ(taskbarCalls, 1);
}

TEST_F(ToolkitContract, TheKeyboardInterfaceSendsTheFormNoPrivateMessages) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 100, 21});
  ui::Button button(*form, {10, 40, 100, 25}, "OK");
  ui::ListBox list(*form, {10, 70, 100, 60});
  ui::CheckBox box(*form, {10, 140, 100, 17}, "Check");
  int privateMessages = 0;
  // WM_USER and the two after it: the numbers a dialog manager uses for its own requests.
  for (std::uint32_t id = 0x400; id <= 0x402; ++id)
    form->HandleMessage(id, [&](std::uintptr_t, std::intptr_t) { ++privateMessages; });

  field.SetFocus();
  harness_->PressEnter(field);
  for (int i = 0; i < 5; ++i) {
    harness_->PressTab(*form);
    if (list.Focused()) harness_->PressEnter(list);
    if (box.Focused()) harness_->PressEnter(box);
  }
  ASSERT_TRUE(button.Focused()) << "the fifth Tab comes round to the button again";
  harness_->PressEnter(button);
  EXPECT_EQ(privateMessages, 0);
}

TEST_F(ToolkitContract, EnterOnAFocusedPushButtonClicksIt) {
  auto form = MakeForm();
  ui::Edit field(*form, {10, 10, 100, 21});
  ui::Button first(*form, {10, 40, 100, 25}, "First");
  ui::Button second(*form, {10, 70, 100, 25}, "Second");
  int firstClicks = 0;
  int secondClicks = 0;
  first.OnClick = [&] { ++firstClicks; };
  second.OnClick = [&] { ++secondClicks; };

  second.SetFocus();
  harness_->PressEnter(second);
  EXPECT_EQ(secondClicks, 1);
  field.SetFocus();
  harness_->PressTab(*form);
  ASSERT_TRUE(first.Focused());
  harness_->PressEnter(first);
  EXPECT_EQ(firstClicks, 1);
  EXPECT_EQ(secondClicks, 1);
}

// ---------------------------------------------------------------------------------------------
// Mouse

TEST_F(ToolkitContract, HoveringRaisesMouseMoveAtTheClientPointAndLeavingRaisesMouseLeave) {
  auto form = MakeForm();
  ui::Label link(*form, ui::Point{50, 50}, Cp(u8"Меню"));
  std::vector<std::pair<int, int>> moves;
  int leaves = 0;
  link.OnMouseMove = [&](int x, int y) { moves.emplace_back(x, y); };
  link.OnMouseLeave = [&] { ++leaves; };

  harness_->Hover(link, 3, 4);
  ASSERT_TRUE(Eventually([&] { return !moves.empty(); }));
  EXPECT_EQ(moves.back(), std::make_pair(3, 4));
  EXPECT_EQ(leaves, 0);

  harness_->MoveAway(link);
  EXPECT_TRUE(Eventually([&] { return leaves == 1; }));
  EXPECT_FALSE(EverWithin(kQuietSpell, [&] { return leaves > 1; }));
}

}  // namespace
