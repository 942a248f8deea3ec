#pragma once
// The phone book that BRUMELKA_RAS_PHONEBOOK names: an INI-like file in Windows-1251 with one
// section per entry. It is read anew by every call that needs it, so that a test can change it
// between steps.

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct Entry {
  std::wstring name;
  std::map<std::wstring, std::wstring> keys;  // by the key's name in lower case

  std::optional<std::wstring> Text(std::wstring_view lowerName) const;
  // A key holding a plain decimal number; anything else counts as absent.
  std::optional<DWORD> Number(std::wstring_view lowerName) const;
};

struct PhoneBook {
  DWORD error = ERROR_SUCCESS;  // ERROR_CANNOT_OPEN_PHONEBOOK when named but unreadable
  std::wstring path;
  std::vector<Entry> entries;  // in file order

  const Entry* Find(std::wstring_view name) const;
};

PhoneBook ReadPhoneBook();

}  // namespace standin
