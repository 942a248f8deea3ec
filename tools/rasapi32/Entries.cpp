// RasEnumEntries: the phone book's entry names, one record of the caller's form each.

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <cstring>

#include "Forms.h"
#include "PhoneBook.h"
#include "Text.h"

namespace {

using namespace standin;

template <typename Char>
DWORD EnumEntries(const Char* reserved, typename Forms<Char>::EntryName* records, DWORD* bytes,
                  DWORD* count) {
  using Record = typename Forms<Char>::EntryName;
  if (reserved != nullptr || bytes == nullptr || count == nullptr) return ERROR_INVALID_PARAMETER;
  // Without a buffer the caller asks for the size of the current form.
  const DWORD recordSize = records != nullptr ? records->dwSize : sizeof(Record);
  if (!IsEntryNameSize<Char>(recordSize)) return ERROR_INVALID_SIZE;
  const PhoneBook book = ReadPhoneBook();
  if (book.error != ERROR_SUCCESS) return book.error;

  const DWORD entries = static_cast<DWORD>(book.entries.size());
  const DWORD needed = entries * recordSize;
  const DWORD given = *bytes;
  *bytes = needed;
  *count = entries;
  if (needed > given || (records == nullptr && needed > 0)) return ERROR_BUFFER_TOO_SMALL;

  auto* at = reinterpret_cast<BYTE*>(records);
  for (const Entry& entry : book.entries) {
    std::memset(at, 0, recordSize);
    auto* record = reinterpret_cast<Record*>(at);
    record->dwSize = recordSize;
    Write(record->szEntryName, entry.name);
    if (recordSize == sizeof(Record)) {
      record->dwFlags = REN_User;
      Write(record->szPhonebookPath, book.path);
    }
    at += recordSize;
  }
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" DWORD WINAPI RasEnumEntriesW(LPCWSTR reserved, LPCWSTR, LPRASENTRYNAMEW records,
                                        LPDWORD bytes, LPDWORD count) {
  return EnumEntries<wchar_t>(reserved, records, bytes, count);
}

extern "C" DWORD WINAPI RasEnumEntriesA(LPCSTR reserved, LPCSTR, LPRASENTRYNAMEA records,
                                        LPDWORD bytes, LPDWORD count) {
  return EnumEntries<char>(reserved, records, bytes, count);
}
