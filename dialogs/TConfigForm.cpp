#include "dialogs/TConfigForm.h"

#include <initializer_list>
#include <string>

#include "dialogs/DialogTexts.h"
#include "dialogs/FullPath.h"
#include "dialogs/StrToInt.h"

namespace dialogs {
namespace {

ui::FormOptions ConfigFormOptions() {
  ui::FormOptions options;
  options.style = ui::FormStyle::Dialog;
  options.caption = texts::kSettingsCaption;
  options.clientSize = {420, 303};
  options.centered = true;
  return options;
}

// Three framed groups one above the other; the file commands bottom left, OK and Cancel
// bottom right.
constexpr int kGroupLeft = 8;
constexpr int kGroupWidth = 404;
constexpr int kInnerLeft = 20;
constexpr int kNameWidth = 286;
constexpr int kBrowseLeft = 314;
constexpr int kBrowseWidth = 86;
constexpr int kButtonRow = 268;
constexpr int kButtonWidth = 92;

constexpr ui::Rect ButtonAt(int left) {
  return {left, kButtonRow, kButtonWidth, 25};
}

}  // namespace

TConfigForm::TConfigForm(ui::Backend& backend, MainWindowLink main)
    : ui::Form(backend, ConfigFormOptions()),
      GroupBox1(*this, {kGroupLeft, 8, kGroupWidth, 112}, texts::kFiles),
      Label3(*this, ui::Point{kInnerLeft, 26}, texts::kUsersData),
      UsersEdit(*this, {kInnerLeft, 42, kNameWidth, 21}),
      Button3(*this, {kBrowseLeft, 40, kBrowseWidth, 25}, texts::kBrowse),
      Label1(*this, ui::Point{kInnerLeft, 70}, texts::kLog),
      LogEdit(*this, {kInnerLeft, 86, kNameWidth, 21}),
      Button4(*this, {kBrowseLeft, 84, kBrowseWidth, 25}, texts::kBrowse),
      GroupBox2(*this, {kGroupLeft, 128, kGroupWidth, 68}, texts::kTray),
      IsMinimizeToTrayOnConnectCBox(*this, {kInnerLeft, 148, 380, 17}, texts::kMinimizeOnConnect),
      IsShowInTrayOnStartupCBox(*this, {kInnerLeft, 170, 380, 17}, texts::kShowIconAtStart),
      GroupBox3(*this, {kGroupLeft, 204, kGroupWidth, 52}, texts::kIntervalFrame),
      IntervalEdit(*this, {kInnerLeft, 224, 80, 21}),
      OkButton(*this, ButtonAt(222), texts::kOk),
      CancelButton(*this, ButtonAt(320), texts::kCancel),
      OpenButton(*this, ButtonAt(kGroupLeft), texts::kOpenSettings),
      SaveButton(*this, ButtonAt(106), texts::kSaveSettings),
      main_(std::move(main)) {
  int order = 0;
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &UsersEdit, &Button3, &LogEdit, &Button4, &IsMinimizeToTrayOnConnectCBox,
           &IsShowInTrayOnStartupCBox, &IntervalEdit, &OkButton, &CancelButton, &OpenButton,
           &SaveButton})
    control->SetTabOrder(order++);
  ConnectEvents();
}

void TConfigForm::ConnectEvents() {
  // The two "Шукати.." buttons have no command.
  OkButton.OnClick = [this] { OkButtonClick(); };
  CancelButton.OnClick = [this] { EndModal(); };
  OpenButton.OnClick = [this] { OpenButtonClick(); };
  SaveButton.OnClick = [this] { SaveButtonClick(); };
}

void TConfigForm::FormActivate() {
  // Completed against the current directory of this moment; the settings keep what they hold.
  UsersEdit.SetText(FullPath(main_.setup.UsersFile));
  LogEdit.SetText(FullPath(main_.setup.LogFileName));
  IsMinimizeToTrayOnConnectCBox.SetChecked(main_.setup.IsMinimizeToTrayOnConnect);
  IsShowInTrayOnStartupCBox.SetChecked(main_.setup.IsShowInTrayOnStartup);
  IntervalEdit.SetText(std::to_string(main_.setup.TimeLogMinuteInterval));
}

void TConfigForm::ChangeSetup() {
  data::TSetup& setup = main_.setup;
  setup.UsersFile = UsersEdit.Text();
  setup.LogFileName = LogEdit.Text();
  setup.IsMinimizeToTrayOnConnect = IsMinimizeToTrayOnConnectCBox.Checked();
  setup.IsShowInTrayOnStartup = IsShowInTrayOnStartupCBox.Checked();
  setup.TimeLogMinuteInterval = StrToInt(IntervalEdit.Text());
}

void TConfigForm::OkButtonClick() {
  // The dialog goes even when the interval is refused: the error report ends the command
  // before the main window is re-initialised, not the closing.
  EndModal();
  ChangeSetup();
  main_.initialize();
}

void TConfigForm::OpenButtonClick() {
  ChangeSetup();
  main_.openSettings(*this);
  FormActivate();
}

void TConfigForm::SaveButtonClick() {
  ChangeSetup();
  main_.saveSettings(*this);
}

}  // namespace dialogs
