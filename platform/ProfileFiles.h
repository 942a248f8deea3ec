#pragma once
// Initialisation (profile) files: sections of key=value lines, names matched without regard
// to case. A file name without a directory refers to the implementation's own folder (the
// Windows directory on Windows).

#include <optional>
#include <string>
#include <vector>

namespace platform {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;

  // The keys of `section` in file order; empty when the file or the section is missing.
  virtual std::vector<std::string> Keys(const std::string& file, const std::string& section) = 0;
  // The value of the key, or nothing when the file, section or key is missing.
  virtual std::optional<std::string> Read(const std::string& file, const std::string& section,
                                          const std::string& key) = 0;
  // Updates the key in place, or appends it to its section, or appends the section at the
  // end; creates the file when needed and keeps everything else. False when it can't write.
  virtual bool Write(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

}  // namespace platform
