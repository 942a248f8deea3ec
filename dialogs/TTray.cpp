#include "dialogs/TTray.h"

#include <algorithm>
#include <string>

namespace dialogs {

TTray::TTray(platform::NotifyIcons& shell) : shell_(shell) {
  IconData.cbSize = 0;
}

void TTray::AddIcon(ui::Form& form) {
  if (IconData.cbSize != 0) return;
  IconData.cbSize = shell_.FirstFormSize();
  IconData.hWnd = form.Peer().NativeHandle();
  IconData.uID = 0;
  IconData.uFlags = kFlags;
  IconData.uCallbackMessage = WM_TRAYICON;
  IconData.hIcon = shell_.ApplicationIcon();
  // A longer title is cut: the terminating zero must stay inside the member.
  const std::string title = form.GetBackend().ApplicationTitle();
  const std::size_t length = std::min(title.size(), IconData.szTip.size() - 1);
  std::fill(IconData.szTip.begin(), IconData.szTip.end(), '\0');
  std::copy_n(title.begin(), length, IconData.szTip.begin());
  // A refusal is not looked at: the icon counts as shown until DeleteIcon.
  shell_.Notify(platform::NotifyIconAction::Add, IconData);
}

void TTray::DeleteIcon() {
  if (IconData.cbSize == 0) return;
  shell_.Notify(platform::NotifyIconAction::Delete, IconData);
  IconData.cbSize = 0;
}

void TTray::AddIconAgain() {
  if (IconData.cbSize == 0) return;
  shell_.Notify(platform::NotifyIconAction::Add, IconData);
}

}  // namespace dialogs
