#include "platform/Files.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/text/Cp1251.h"

namespace platform {
namespace {

// Names go through UTF-16, never the ANSI code page: a system set to another code page would
// otherwise turn Cyrillic names into question marks.
std::wstring Wide(const std::string& cp1251) {
  const std::u16string utf16 = text::Cp1251ToUtf16(cp1251);
  return std::wstring(utf16.begin(), utf16.end());
}

bool FlushFile(const std::wstring& name) {
  const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool flushed = ::FlushFileBuffers(file) != FALSE;
  return ::CloseHandle(file) != FALSE && flushed;
}

}  // namespace

std::FILE* OpenFile(const std::string& nameCp1251, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return ::_wfopen(Wide(nameCp1251).c_str(), wideMode.c_str());
}

bool FileExists(const std::string& nameCp1251) {
  const DWORD attributes = ::GetFileAttributesW(Wide(nameCp1251).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool MoveReplacing(const std::string& sourceCp1251, const std::string& targetCp1251) {
  const std::wstring source = Wide(sourceCp1251);
  // MOVEFILE_WRITE_THROUGH waits for the move, not for the data of the moved file.
  if (!FlushFile(source)) return false;
  return ::MoveFileExW(source.c_str(), Wide(targetCp1251).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool RemoveFile(const std::string& nameCp1251) {
  return ::DeleteFileW(Wide(nameCp1251).c_str()) != FALSE;
}

std::string FullFileName(const std::string& nameCp1251) {
  const std::wstring name = Wide(nameCp1251);
  std::wstring full(MAX_PATH, L'\0');
  DWORD length =
      ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.assign(length, L'\0');
    length = ::GetFullPathNameW(name.c_str(), length, full.data(), nullptr);
  }
  if (length == 0 || length >= full.size()) return {};
  return text::Utf16ToCp1251(std::u16string(full.begin(), full.begin() + length));
}

}  // namespace platform
