#pragma once
// Profile files kept by the program itself, for systems without the Windows profile functions
// and for Windows systems whose code page can't carry the Windows-1251 bytes of the file.

#include <optional>
#include <string>
#include <vector>

#include "platform/NativePath.h"
#include "platform/ProfileFiles.h"

namespace platform {

class IniDocument;

class IniProfileFiles : public ProfileFiles {
 public:
  // Bare file names (no directory part) are taken from `folder`.
  explicit IniProfileFiles(const NativePath& folder);

  std::vector<std::string> Keys(const std::string& file, const std::string& section) override;
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override;
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;

 private:
  std::string Resolve(const std::string& file) const;
  // Nothing for a missing or unreadable file.
  std::optional<IniDocument> Load(const std::string& path) const;

  std::string folder_;  // Windows-1251, ending in a separator
};

}  // namespace platform
