#pragma once
// Profile files on Windows, kept as Windows-1251 bytes whatever the system's code page.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProfileFiles.h"

namespace platform {

class Win32ProfileFiles : public ProfileFiles {
 public:
  Win32ProfileFiles();
  ~Win32ProfileFiles() override;

  std::vector<std::string> Keys(const std::string& file, const std::string& section) override;
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override;
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;

  // True when the system's profile functions do the work, false when our own code does.
  bool UsesSystemProfileFunctions() const { return own_ == nullptr; }

 private:
  std::unique_ptr<ProfileFiles> own_;
};

}  // namespace platform
