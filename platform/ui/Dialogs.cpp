#include "platform/ui/Dialogs.h"

namespace ui {

void ShowMessage(Form& owner, const std::string& textCp1251) {
  Backend& backend = owner.GetBackend();
  backend.ShowMessageBox(&owner.Peer(), MessageKind::Info, textCp1251, backend.ApplicationTitle());
}

}  // namespace ui
