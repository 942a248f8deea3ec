// RasGetEntryDialParams: the dial parameters the phone book keeps for an entry.

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include "Forms.h"
#include "PhoneBook.h"
#include "Text.h"

namespace {

using namespace standin;

template <typename Char>
DWORD GetEntryDialParams(typename Forms<Char>::DialParams* params, BOOL* passwordStored) {
  if (params == nullptr || passwordStored == nullptr) return ERROR_BUFFER_INVALID;
  if (!IsDialParamsSize<Char>(params->dwSize)) return ERROR_INVALID_SIZE;
  const PhoneBook book = ReadPhoneBook();
  if (book.error != ERROR_SUCCESS) return book.error;
  const Entry* entry = book.Find(Read(params->szEntryName));
  if (entry == nullptr) return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
  const auto password = entry->Text(L"password");
  Write(params->szPhoneNumber, entry->Text(L"phone").value_or(L""));
  Write(params->szCallbackNumber, L"");
  Write(params->szUserName, entry->Text(L"login").value_or(L""));
  Write(params->szPassword, password.value_or(L""));
  Write(params->szDomain, L"");
  *passwordStored = password ? TRUE : FALSE;
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" DWORD WINAPI RasGetEntryDialParamsW(LPCWSTR, LPRASDIALPARAMSW params,
                                               LPBOOL passwordStored) {
  return GetEntryDialParams<wchar_t>(params, passwordStored);
}

extern "C" DWORD WINAPI RasGetEntryDialParamsA(LPCSTR, LPRASDIALPARAMSA params,
                                               LPBOOL passwordStored) {
  return GetEntryDialParams<char>(params, passwordStored);
}
