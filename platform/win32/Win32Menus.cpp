#include <map>
#include <memory>

#include "platform/ui/Menu.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Text.h"

namespace win32 {
namespace {

struct MenuDeleter {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// The menu is built from the model each time it opens, so the enabled states are current.
class MenuBuilder {
 public:
  OwnedMenu Build(const std::vector<std::unique_ptr<ui::MenuItem>>& items) {
    OwnedMenu menu(::CreatePopupMenu());
    for (const auto& item : items) Append(menu.get(), *item);
    return menu;
  }

  ui::MenuItem* ItemOf(UINT command) const {
    const auto found = commands_.find(command);
    return found != commands_.end() ? found->second : nullptr;
  }

 private:
  void Append(HMENU menu, ui::MenuItem& item) {
    if (item.IsSeparator()) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      return;
    }
    const UINT state = item.Enabled() ? MF_ENABLED : MF_GRAYED;
    const std::wstring caption = Wide(item.Caption());
    if (!item.Items().empty()) {
      OwnedMenu submenu = Build(item.Items());
      // The parent menu owns the submenu once appended.
      if (::AppendMenuW(menu, MF_POPUP | MF_STRING | state,
                        reinterpret_cast<UINT_PTR>(submenu.get()), caption.c_str()))
        submenu.release();
      return;
    }
    const UINT command = nextCommand_++;
    commands_[command] = &item;
    ::AppendMenuW(menu, MF_STRING | state, command, caption.c_str());
  }

  UINT nextCommand_ = 1;  // 0 is TrackPopupMenu's "nothing chosen"
  std::map<UINT, ui::MenuItem*> commands_;
};

}  // namespace

ui::MenuItem* Win32Backend::TrackPopupMenu(ui::FormPeer& owner, const ui::PopupMenu& menu,
                                           ui::Point screen) {
  MenuBuilder builder;
  OwnedMenu popup = builder.Build(menu.Items());
  if (popup == nullptr) return nullptr;
  const HWND ownerWindow = reinterpret_cast<HWND>(owner.NativeHandle());
  // Without the owner in the foreground the menu wouldn't close when the user clicks
  // elsewhere, and the message after it makes the next opening work (KB135788).
  ::SetForegroundWindow(ownerWindow);
  const ui::Point at = ToDevice(screen);
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(popup.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       at.x, at.y, 0, ownerWindow, nullptr));
  ::PostMessageW(ownerWindow, WM_NULL, 0, 0);
  return builder.ItemOf(command);
}

}  // namespace win32
