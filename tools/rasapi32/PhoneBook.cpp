#include "PhoneBook.h"

#include <raserror.h>

#include <cwctype>

#include "Text.h"

namespace standin {
namespace {

std::optional<std::string> ReadBytes(const std::wstring& path) {
  // Shared for writing too: a test may rewrite the file while a dial is in progress.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  bool failed = false;
  for (;;) {
    failed = !ReadFile(file, chunk, sizeof chunk, &got, nullptr);
    if (failed || got == 0) break;
    bytes.append(chunk, got);
  }
  CloseHandle(file);
  if (failed) return std::nullopt;
  return bytes;
}

std::wstring_view Trim(std::wstring_view text) {
  const auto first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

std::wstring Lower(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return lower;
}

std::vector<Entry> Parse(std::wstring_view text) {
  std::vector<Entry> entries;
  while (!text.empty()) {
    const auto end = text.find(L'\n');
    const std::wstring_view line = Trim(text.substr(0, end));
    text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
    if (line.empty() || line.front() == L';') continue;
    if (line.front() == L'[' && line.back() == L']') {
      entries.push_back({std::wstring(Trim(line.substr(1, line.size() - 2))), {}});
      continue;
    }
    const auto equals = line.find(L'=');
    if (equals == std::wstring_view::npos || entries.empty()) continue;
    entries.back().keys.emplace(Lower(Trim(line.substr(0, equals))),
                                std::wstring(Trim(line.substr(equals + 1))));
  }
  return entries;
}

}  // namespace

std::optional<std::wstring> Entry::Text(std::wstring_view lowerName) const {
  const auto found = keys.find(std::wstring(lowerName));
  if (found == keys.end()) return std::nullopt;
  return found->second;
}

std::optional<DWORD> Entry::Number(std::wstring_view lowerName) const {
  const auto value = Text(lowerName);
  if (!value || value->empty()) return std::nullopt;
  unsigned long long number = 0;
  for (wchar_t c : *value) {
    if (c < L'0' || c > L'9') return std::nullopt;
    number = number * 10 + static_cast<unsigned>(c - L'0');
    if (number > MAXDWORD) return std::nullopt;
  }
  return static_cast<DWORD>(number);
}

const Entry* PhoneBook::Find(std::wstring_view name) const {
  for (const Entry& entry : entries)
    if (entry.name == name) return &entry;
  return nullptr;
}

PhoneBook ReadPhoneBook() {
  PhoneBook book;
  const auto path = EnvironmentValue(L"BRUMELKA_RAS_PHONEBOOK");
  if (!path) return book;
  book.path = *path;
  const auto bytes = ReadBytes(*path);
  if (!bytes) {
    book.error = ERROR_CANNOT_OPEN_PHONEBOOK;
    return book;
  }
  book.entries = Parse(Decode(*bytes, kPhoneBookCodePage));
  return book;
}

}  // namespace standin
