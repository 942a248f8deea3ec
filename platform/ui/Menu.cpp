#include "platform/ui/Menu.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/Form.h"

namespace ui {

MenuItem& MenuItem::Add(std::string captionCp1251, bool enabled) {
  return *items_.emplace_back(std::make_unique<MenuItem>(std::move(captionCp1251), enabled));
}

MenuItem& PopupMenu::Add(std::string captionCp1251, bool enabled) {
  return *items_.emplace_back(std::make_unique<MenuItem>(std::move(captionCp1251), enabled));
}

void PopupMenu::Popup(Point screen) {
  Backend& backend = owner_.GetBackend();
  MenuItem* chosen = backend.TrackPopupMenu(owner_.Peer(), *this, screen);
  if (chosen != nullptr && chosen->Enabled()) Dispatch(backend, chosen->OnClick);
}

}  // namespace ui
