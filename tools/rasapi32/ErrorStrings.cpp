// RasGetErrorString: the texts are Ukrainian and kept in UTF-16; the A form hands them out in
// the process's ANSI code page, as Windows does, so a program under another code page must use
// the W form to show them.

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <algorithm>
#include <string>

#include "Text.h"

namespace {

struct ErrorText {
  UINT code;
  const wchar_t* text;
};

constexpr ErrorText kTexts[] = {
    {ERROR_INVALID_HANDLE, L"Неправильний дескриптор підключення."},
    {ERROR_INVALID_PARAMETER, L"Неправильний параметр."},
    {ERROR_PORT_ALREADY_OPEN, L"Вказаний порт уже відкрито."},
    {ERROR_BUFFER_TOO_SMALL, L"Буфер виклику замалий."},
    {ERROR_DEVICE_DOES_NOT_EXIST, L"Вказаний пристрій не існує."},
    {ERROR_BUFFER_INVALID, L"Неправильний буфер виклику."},
    {ERROR_CANNOT_OPEN_PHONEBOOK, L"Не вдається відкрити файл телефонної книги."},
    {ERROR_CANNOT_FIND_PHONEBOOK_ENTRY, L"Не вдається знайти запис телефонної книги."},
    {ERROR_DISCONNECTION, L"Підключення закрито."},
    {ERROR_REMOTE_DISCONNECTION, L"Підключення закрито віддаленим комп'ютером."},
    {ERROR_USER_DISCONNECTION, L"Підключення розірвано користувачем."},
    {ERROR_INVALID_SIZE, L"Неправильний розмір структури."},
    {ERROR_PORT_NOT_AVAILABLE,
     L"Модем або інший пристрій зв'язку вже використовується або не налаштований."},
    {ERROR_LINE_BUSY, L"Лінія зайнята."},
    {ERROR_NO_ANSWER,
     L"Віддалений комп'ютер не відповідає. Перевірте, чи правильно набрано номер телефону, "
     L"чи працює віддалений сервер, і повторіть спробу пізніше."},
    {ERROR_NO_DIALTONE, L"Немає гудка."},
    {ERROR_AUTHENTICATION_FAILURE,
     L"Доступ заборонено, оскільки ім'я користувача або пароль неприпустимі в цьому домені. "
     L"Перевірте, чи правильно введено ім'я користувача й пароль, і чи не ввімкнено іншу "
     L"розкладку клавіатури або клавішу Caps Lock."},
    {ERROR_PPP_TIMEOUT, L"Віддалений комп'ютер не відповів вчасно, тому підключення розірвано."},
};

const wchar_t* Find(UINT code) {
  const auto found = std::find_if(std::begin(kTexts), std::end(kTexts),
                                  [code](const ErrorText& text) { return text.code == code; });
  return found == std::end(kTexts) ? nullptr : found->text;
}

template <typename Char>
DWORD GetErrorString(UINT code, Char* buffer, DWORD capacity) {
  const wchar_t* text = Find(code);
  if (buffer == nullptr || text == nullptr) return ERROR_INVALID_PARAMETER;
  std::basic_string<Char> converted;
  if constexpr (sizeof(Char) == 1) {
    converted = standin::Encode(text, CP_ACP);
  } else {
    converted = text;
  }
  // Nothing is written unless the whole text fits with its terminating zero.
  if (converted.size() >= capacity) return ERROR_INSUFFICIENT_BUFFER;
  std::copy(converted.c_str(), converted.c_str() + converted.size() + 1, buffer);
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" DWORD WINAPI RasGetErrorStringW(UINT code, LPWSTR buffer, DWORD capacity) {
  return GetErrorString(code, buffer, capacity);
}

extern "C" DWORD WINAPI RasGetErrorStringA(UINT code, LPSTR buffer, DWORD capacity) {
  return GetErrorString(code, buffer, capacity);
}
