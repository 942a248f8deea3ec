#pragma once
// The shell's notification area (the tray): icons added and removed by a record of the first
// form of NOTIFYICONDATA, and the few window services that driving an icon needs.

#include <array>
#include <cstdint>

#include "platform/ui/Geometry.h"

namespace platform {

// The first form of NOTIFYICONDATAA, member by member; the tip is Windows-1251 text.
struct NotifyIconData {
  std::uint32_t cbSize = 0;
  std::uintptr_t hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  std::uintptr_t hIcon = 0;
  std::array<char, 64> szTip{};
};

enum class NotifyIconAction : std::uint32_t { Add = 0, Delete = 2 };

class NotifyIcons {
 public:
  virtual ~NotifyIcons() = default;

  // Shell_NotifyIcon; true when the shell took the request.
  virtual bool Notify(NotifyIconAction action, const NotifyIconData& data) = 0;
  // The size the shell knows the first form of the record by on this platform.
  virtual std::uint32_t FirstFormSize() const = 0;
  // The program's own icon, in the size the notification area shows.
  virtual std::uintptr_t ApplicationIcon() = 0;
  // The mouse cursor in screen coordinates.
  virtual ui::Point CursorPos() = 0;
  // The message the shell broadcasts to top-level windows when it has made the taskbar
  // anew (Explorer restarted) and every icon is gone; 0 when the shell has none.
  virtual std::uint32_t TaskbarCreatedMessage() = 0;
};

}  // namespace platform
