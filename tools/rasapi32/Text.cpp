#include "Text.h"

#include <algorithm>
#include <cwchar>

namespace standin {

std::wstring Decode(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
  return text;
}

std::string Encode(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring FieldText(const char* field, std::size_t capacity) {
  return Decode(std::string_view(field, strnlen(field, capacity)), CP_ACP);
}

std::wstring FieldText(const wchar_t* field, std::size_t capacity) {
  return std::wstring(field, wcsnlen(field, capacity));
}

void PutFieldText(char* field, std::size_t capacity, std::wstring_view text) {
  const std::string bytes = Encode(text, CP_ACP);
  const std::size_t length = std::min(bytes.size(), capacity - 1);
  std::fill_n(std::copy_n(bytes.data(), length, field), capacity - length, '\0');
}

void PutFieldText(wchar_t* field, std::size_t capacity, std::wstring_view text) {
  const std::size_t length = std::min(text.size(), capacity - 1);
  std::fill_n(std::copy_n(text.data(), length, field), capacity - length, L'\0');
}

std::optional<std::wstring> EnvironmentValue(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length =
        GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);
  }
}

}  // namespace standin
