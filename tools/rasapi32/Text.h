#pragma once
// The service keeps its texts in UTF-16; these convert them to and from the code pages of its
// callers, of the phone book and of the trace.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

inline constexpr UINT kPhoneBookCodePage = 1251;

std::wstring Decode(std::string_view bytes, UINT codePage);
std::string Encode(std::wstring_view text, UINT codePage);

// The text of a zero-terminated field that may fill its whole capacity; an A form's text is
// in the process's ANSI code page.
std::wstring FieldText(const char* field, std::size_t capacity);
std::wstring FieldText(const wchar_t* field, std::size_t capacity);
// Writes the text cut to fit the field with its terminating zero, zero-filling the rest.
void PutFieldText(char* field, std::size_t capacity, std::wstring_view text);
void PutFieldText(wchar_t* field, std::size_t capacity, std::wstring_view text);

template <typename Char, std::size_t N>
std::wstring Read(const Char (&field)[N]) {
  return FieldText(field, N);
}
template <typename Char, std::size_t N>
void Write(Char (&field)[N], std::wstring_view text) {
  PutFieldText(field, N, text);
}

// The variable as the process sees it now (tests change it between calls).
std::optional<std::wstring> EnvironmentValue(const wchar_t* name);

}  // namespace standin
