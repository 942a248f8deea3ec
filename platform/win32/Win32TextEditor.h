#pragma once

#include "platform/TextEditor.h"

namespace platform {

// Notepad from the system folder, never a "notepad.exe" the current directory might hold.
class Win32TextEditor : public TextEditor {
 public:
  void Open(const std::string& fileNameCp1251) override;
};

}  // namespace platform
