#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/text/Cp1251.h"

namespace platform {
namespace {

// The program names its files in Windows-1251; the Linux file system speaks UTF-8.
std::string Native(const std::string& nameCp1251) {
  return text::Cp1251ToUtf8(nameCp1251);
}

bool SyncFile(const std::string& nativeName) {
  const int fd = ::open(nativeName.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

// The rename itself lives in the directory; without this a crash can bring back the old entry.
void SyncFolderOf(const std::string& nativeName) {
  const auto slash = nativeName.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : nativeName.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::FILE* OpenFile(const std::string& nameCp1251, const char* mode) {
  return std::fopen(Native(nameCp1251).c_str(), mode);
}

bool FileExists(const std::string& nameCp1251) {
  struct stat info {};
  return ::stat(Native(nameCp1251).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool MoveReplacing(const std::string& sourceCp1251, const std::string& targetCp1251) {
  const std::string source = Native(sourceCp1251);
  const std::string target = Native(targetCp1251);
  // Data first, then the name: otherwise a crash may leave the new name on empty blocks.
  if (!SyncFile(source)) return false;
  if (::rename(source.c_str(), target.c_str()) != 0) return false;
  SyncFolderOf(target);
  return true;
}

bool RemoveFile(const std::string& nameCp1251) {
  return ::unlink(Native(nameCp1251).c_str()) == 0;
}

std::string FullFileName(const std::string& nameCp1251) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(Native(nameCp1251), error);
  if (error) return {};
  return text::Utf8ToCp1251(full.lexically_normal().string());
}

}  // namespace platform
