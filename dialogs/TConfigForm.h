#pragma once
// The settings dialog: the file names, the tray options and the log interval, stored into the
// settings and applied by re-initialising the main window.

#include "dialogs/MainWindowLink.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

namespace dialogs {

class TConfigForm : public ui::Form {
 public:
  TConfigForm(ui::Backend& backend, MainWindowLink main);

  // Shows the settings as they stand; runs at each showing and after an open.
  void FormActivate();
  // Copies the controls into the settings. An interval that is not a whole number throws
  // ConversionError after the other values have been stored.
  void ChangeSetup();

  // --- event handlers ---
  void OkButtonClick();
  void OpenButtonClick();
  void SaveButtonClick();

  // --- controls ---
  ui::GroupBox GroupBox1;
  ui::Label Label3;
  ui::Edit UsersEdit;
  ui::Button Button3;
  ui::Label Label1;
  ui::Edit LogEdit;
  ui::Button Button4;
  ui::GroupBox GroupBox2;
  ui::CheckBox IsMinimizeToTrayOnConnectCBox;
  ui::CheckBox IsShowInTrayOnStartupCBox;
  ui::GroupBox GroupBox3;
  ui::Edit IntervalEdit;
  ui::Button OkButton;
  ui::Button CancelButton;
  ui::Button OpenButton;
  ui::Button SaveButton;

 private:
  void ConnectEvents();

  MainWindowLink main_;
};

}  // namespace dialogs
