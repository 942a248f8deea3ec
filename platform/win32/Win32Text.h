#pragma once
// Texts cross into Windows as UTF-16 and come back as Windows-1251 bytes. The wide API is used
// everywhere so that Cyrillic survives whatever ANSI code page the system runs with.

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/text/Cp1251.h"

namespace win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline std::wstring Wide(std::string_view cp1251) {
  const std::u16string utf16 = text::Cp1251ToUtf16(cp1251);
  return std::wstring(utf16.begin(), utf16.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return text::Utf16ToCp1251(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

inline std::string WindowText(HWND window) {
  if (window == nullptr) return {};
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
  buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Narrow(buffer);
}

}  // namespace win32
