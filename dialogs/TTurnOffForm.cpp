#include "dialogs/TTurnOffForm.h"

#include <initializer_list>

#include "dialogs/PowerOffDelay.h"
#include "dialogs/TurnOffTexts.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Dispatch.h"

namespace dialogs {
namespace {

ui::FormOptions TurnOffFormOptions() {
  ui::FormOptions options;
  options.style = ui::FormStyle::Dialog;
  options.caption = texts::kTurnOffCaption;
  options.clientSize = {334, 141};
  options.centered = true;
  return options;
}

// Each choice on a row of its own, its field at the right; the buttons bottom right.
constexpr int kBoxLeft = 12;
constexpr int kBoxWidth = 232;
constexpr int kFieldLeft = 250;
constexpr int kFieldWidth = 72;
constexpr int kButtonRow = 104;

}  // namespace

TTurnOffForm::TTurnOffForm(ui::Backend& backend, PowerOffSchedule schedule)
    : ui::Form(backend, TurnOffFormOptions()),
      Label1(*this, ui::Point{kBoxLeft, 12}, texts::kTurnOffHeading),
      TimeIntervalCheckBox(*this, {kBoxLeft, 40, kBoxWidth, 17}, texts::kAfterMinutes),
      IntervalEdit(*this, {kFieldLeft, 38, kFieldWidth, 21}),
      SetTimeCheckBox1(*this, {kBoxLeft, 70, kBoxWidth, 17}, texts::kAtTime),
      TimeEdit(*this, {kFieldLeft, 68, kFieldWidth, 21}),
      ReadyButton(*this, {166, kButtonRow, 75, 25}, texts::kReady),
      CancelButton(*this, {247, kButtonRow, 75, 25}, texts::kTurnOffCancel),
      schedule_(schedule) {
  int order = 0;
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&ReadyButton, &CancelButton, &TimeEdit,
                                           &TimeIntervalCheckBox, &IntervalEdit, &SetTimeCheckBox1})
    control->SetTabOrder(order++);
  IntervalEdit.SetEnabled(false);
  TimeEdit.SetEnabled(false);
  ConnectEvents();
  ui::Dispatch(backend, [this] { FormCreate(); });
}

void TTurnOffForm::ConnectEvents() {
  TimeIntervalCheckBox.OnClick = [this] { TimeIntervalCheckBoxClick(); };
  SetTimeCheckBox1.OnClick = [this] { SetTimeCheckBox1Click(); };
  ReadyButton.OnClick = [this] { ReadyButtonClick(); };
  CancelButton.OnClick = [this] { EndModal(); };
  // "Готово" is the default button: Enter anywhere but on the other button presses it.
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &TimeIntervalCheckBox, &IntervalEdit, &SetTimeCheckBox1, &TimeEdit}) {
    control->OnKeyPress = [this](char& key) {
      if (key != '\r') return;
      key = 0;
      ReadyButtonClick();
    };
  }
}

void TTurnOffForm::FormCreate() {
  TimeEdit.SetText("");
  IntervalEdit.SetText("");
}

void TTurnOffForm::TimeIntervalCheckBoxClick() {
  if (TimeIntervalCheckBox.Checked()) {
    IntervalEdit.SetEnabled(true);
    TimeEdit.SetEnabled(false);
    SetTimeCheckBox1.SetChecked(false);
  } else {
    IntervalEdit.SetEnabled(false);
  }
}

void TTurnOffForm::SetTimeCheckBox1Click() {
  if (SetTimeCheckBox1.Checked()) {
    TimeEdit.SetEnabled(true);
    IntervalEdit.SetEnabled(false);
    TimeIntervalCheckBox.SetChecked(false);
  } else {
    TimeEdit.SetEnabled(false);
  }
}

void TTurnOffForm::ReadyButtonClick() {
  if (TimeIntervalCheckBox.Checked()) {
    const auto milliseconds = PowerOffDelayMilliseconds(IntervalEdit.Text());
    if (!milliseconds) return Refuse();
    // A new interval counts from now, so arming again restarts the full delay.
    schedule_.turnOffTimer.SetInterval(*milliseconds);
    schedule_.turnOffTimer.SetEnabled(true);
    schedule_.timeTimer.SetEnabled(false);
  }
  if (SetTimeCheckBox1.Checked()) {
    schedule_.timeTimer.SetInterval(1000);
    const auto time = ParseTimeOfDay(TimeEdit.Text());
    if (!time) return Refuse();
    schedule_.shutdownTime = *time;
    schedule_.timeTimer.SetEnabled(true);
    schedule_.turnOffTimer.SetEnabled(false);
  }
  EndModal();
}

// A schedule made earlier is cancelled too: the user meant to change it.
void TTurnOffForm::Refuse() {
  schedule_.turnOffTimer.SetEnabled(false);
  schedule_.timeTimer.SetEnabled(false);
  ui::ShowMessage(*this, texts::kEnterProperly);
}

}  // namespace dialogs
