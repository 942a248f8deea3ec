#pragma once
// The shell's notification area. The program keeps the first form of NOTIFYICONDATAA; the
// shell is called through the wide function with the same first form, so that a Cyrillic tip
// shows whatever ANSI code page the system runs with.

#include <windows.h>

#include <shellapi.h>

#include "platform/NotifyIcons.h"

namespace platform {

class Win32NotifyIcons : public NotifyIcons {
 public:
  // The size of the first form of NOTIFYICONDATAA: 88 bytes in a 32-bit program.
  static constexpr std::uint32_t kFirstFormSize = NOTIFYICONDATAA_V1_SIZE;

  bool Notify(NotifyIconAction action, const NotifyIconData& data) override;
  std::uint32_t FirstFormSize() const override { return kFirstFormSize; }
  std::uintptr_t ApplicationIcon() override;
  ui::Point CursorPos() override;
  std::uint32_t TaskbarCreatedMessage() override;
};

// The wide record the shell is handed for the program's record; its tip in UTF-16.
NOTIFYICONDATAW ShellRecord(const NotifyIconData& data);

}  // namespace platform
