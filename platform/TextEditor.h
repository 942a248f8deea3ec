#pragma once

#include <string>

namespace platform {

// Opens a file in the system's text editor without waiting for it; failures are silent.
class TextEditor {
 public:
  virtual ~TextEditor() = default;
  virtual void Open(const std::string& fileNameCp1251) = 0;
};

}  // namespace platform
