#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

#include "platform/native/IniProfileFiles.h"
#include "platform/text/Cp1251.h"

// The profile functions keep an ANSI file in the system's ANSI code page: the wide functions
// convert through it on every read and write, also for a file they create. Only where that
// code page is 1251 do the file's bytes come out as the Windows-1251 text the program stores
// (with another code page Cyrillic values are written as question marks). There the wide
// functions are used, so the file stays under the system's own profile handling. Elsewhere
// our own profile-file code does the work on the same bytes, with bare names taken from the
// Windows directory as the profile functions would.

namespace platform {
namespace {

constexpr UINT kCyrillicCodePage = 1251;
// No Windows-1251 file can yield this character, so a read returning it found no key.
constexpr wchar_t kMissing[] = L"\xFFFF";

std::wstring Wide(const std::string& cp1251) {
  const std::u16string utf16 = text::Cp1251ToUtf16(cp1251);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(std::wstring_view wide) {
  return text::Utf16ToCp1251(std::u16string(wide.begin(), wide.end()));
}

// The profile functions cut what doesn't fit and tell only by the returned length:
// `reserve` is how far below the buffer size a complete result must stay.
std::wstring ReadProfile(const wchar_t* section, const wchar_t* key, const std::wstring& file,
                         DWORD reserve) {
  std::wstring buffer(256, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD got =
        ::GetPrivateProfileStringW(section, key, kMissing, buffer.data(), size, file.c_str());
    if (got + reserve < size) return buffer.substr(0, got);
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

NativePath WindowsDirectory() {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
  return NativePath(folder, length <= MAX_PATH ? length : 0);
}

}  // namespace

Win32ProfileFiles::Win32ProfileFiles() {
  if (::GetACP() != kCyrillicCodePage) own_ = std::make_unique<IniProfileFiles>(WindowsDirectory());
}

Win32ProfileFiles::~Win32ProfileFiles() = default;

std::vector<std::string> Win32ProfileFiles::Keys(const std::string& file,
                                                 const std::string& section) {
  if (own_) return own_->Keys(file, section);
  // A NULL key asks for the section's key names, each ended by a NUL, the list by another.
  const std::wstring list = ReadProfile(Wide(section).c_str(), nullptr, Wide(file), 2);
  std::vector<std::string> keys;
  if (list == kMissing) return keys;
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = list.find(L'\0', start);
    const std::size_t stop = end == std::wstring::npos ? list.size() : end;
    if (stop > start) keys.push_back(Narrow(std::wstring_view(list).substr(start, stop - start)));
    start = stop + 1;
  }
  return keys;
}

std::optional<std::string> Win32ProfileFiles::Read(const std::string& file,
                                                   const std::string& section,
                                                   const std::string& key) {
  if (own_) return own_->Read(file, section, key);
  const std::wstring value = ReadProfile(Wide(section).c_str(), Wide(key).c_str(), Wide(file), 1);
  if (value == kMissing) return std::nullopt;
  return Narrow(value);
}

bool Win32ProfileFiles::Write(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& value) {
  if (own_) return own_->Write(file, section, key, value);
  return ::WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                      Wide(file).c_str()) != FALSE;
}

}  // namespace platform
