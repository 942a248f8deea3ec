#pragma once
// Every text the program stores or compares is Windows-1251 bytes in a std::string.
// Source files are UTF-8, so the program's own literals pass through here once.

#include <string>
#include <string_view>

namespace text {

// Characters with no Windows-1251 form become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);
std::u16string Cp1251ToUtf16(std::string_view cp1251);
std::string Utf16ToCp1251(std::u16string_view utf16);

// Shorthand for the program's own literals: Cp(u8"Меню") or Cp("Меню").
inline std::string Cp(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}
inline std::string Cp(std::u8string_view utf8) {
  return Utf8ToCp1251(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace text
