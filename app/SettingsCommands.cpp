// Opening and saving a settings file of the user's choice. What is opened takes effect at the
// next confirmation of the settings dialog, when Initialize applies it.

#include "app/TForm1.h"
#include "app/Texts.h"
#include "platform/ui/Dialogs.h"

void TForm1::OpenSetupItemClick(ui::Form* over) {
  if (!RootLoggedIn()) return;
  ui::Form& owner = over != nullptr ? *over : *this;
  if (!OpenDialog1.Execute(owner)) return;
  const std::string fileName = OpenDialog1.FileName();
  Setup->OpenFile(fileName);
  // The report follows a load of its own: OpenFile keeps its result to itself.
  const bool loaded = Setup->LoadFromFile(fileName);
  ui::ShowMessage(owner, loaded ? texts::kSettingsLoaded : texts::kSettingsLoadFailed);
  FocusAfterSettingsCommand();
}

void TForm1::SaveSetupItemClick(ui::Form* over) {
  if (!RootLoggedIn()) return;
  ui::Form& owner = over != nullptr ? *over : *this;
  if (!SaveDialog1.Execute(owner)) return;
  const bool saved = Setup->SaveToFile(SaveDialog1.FileName());
  ui::ShowMessage(owner, saved ? texts::kSettingsSaved : texts::kSettingsSaveFailed);
  FocusAfterSettingsCommand();
}

// Back to the main window after the report. Hidden in the tray, or disabled under the settings
// dialog, it can't take the focus, and the command simply ends there.
void TForm1::FocusAfterSettingsCommand() {
  if (Visible() && Peer().Enabled()) BringToFront();
}
