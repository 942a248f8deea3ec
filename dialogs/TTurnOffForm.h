#pragma once
// The power-off dialog: arms one of the main window's two power-off timers, after a number of
// minutes or at a time of day. Made once; its boxes and texts stay from showing to showing.

#include "dialogs/TimeOfDay.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

namespace dialogs {

// What the dialog arms on the main window.
struct PowerOffSchedule {
  ui::Timer& turnOffTimer;  // the delay
  ui::Timer& timeTimer;     // the once-a-second look at the clock
  TimeOfDay& shutdownTime;
};

class TTurnOffForm : public ui::Form {
 public:
  TTurnOffForm(ui::Backend& backend, PowerOffSchedule schedule);

  // --- event handlers ---
  void FormCreate();
  void TimeIntervalCheckBoxClick();
  void SetTimeCheckBox1Click();
  void ReadyButtonClick();

  // --- controls ---
  ui::Label Label1;
  ui::CheckBox TimeIntervalCheckBox;
  ui::Edit IntervalEdit;
  ui::CheckBox SetTimeCheckBox1;
  ui::Edit TimeEdit;
  ui::Button ReadyButton;
  ui::Button CancelButton;

 private:
  void ConnectEvents();
  void Refuse();

  PowerOffSchedule schedule_;
};

}  // namespace dialogs
