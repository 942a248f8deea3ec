#pragma once
// A file that exists but can't be opened for reading, while this object lives.
// Windows: held open without sharing. Elsewhere: no read permission, or, for root (whom
// permissions don't stop), a write-only kernel attribute.

#include <filesystem>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace testing_support {

class UnopenableFile {
 public:
  explicit UnopenableFile(const std::filesystem::path& folder) {
#ifdef _WIN32
    const std::filesystem::path path = folder / "locked.usr";
    handle_ = CreateFileW(path.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ != INVALID_HANDLE_VALUE) path_ = path.string();
#else
    if (geteuid() != 0) {
      const std::filesystem::path path = folder / "locked.usr";
      if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fputs("x", file);
        std::fclose(file);
        chmod(path.c_str(), 0);
        path_ = path.string();
      }
      return;
    }
    for (const char* candidate :
         {"/sys/bus/pci/rescan", "/sys/bus/platform/drivers_probe", "/sys/bus/pci/uevent"}) {
      std::FILE* probe = std::fopen(candidate, "rb");
      if (probe != nullptr) {
        std::fclose(probe);
        continue;
      }
      if (std::filesystem::is_regular_file(candidate)) {
        path_ = candidate;
        return;
      }
    }
#endif
  }
  ~UnopenableFile() {
#ifdef _WIN32
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
#endif
  }
  UnopenableFile(const UnopenableFile&) = delete;
  UnopenableFile& operator=(const UnopenableFile&) = delete;

  // Nothing when this system offers no such file; the test then skips.
  const std::optional<std::string>& Path() const {
    return path_;
  }

 private:
  std::optional<std::string> path_;
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#endif
};

}  // namespace testing_support
