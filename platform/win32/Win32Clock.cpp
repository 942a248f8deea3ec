#include "platform/win32/Win32Clock.h"

#include <windows.h>

#include "platform/text/Cp1251.h"

namespace platform {
namespace {

SYSTEMTIME ToSystemTime(const LocalTime& time) {
  SYSTEMTIME system{};
  system.wYear = static_cast<WORD>(time.year);
  system.wMonth = static_cast<WORD>(time.month);
  system.wDay = static_cast<WORD>(time.day);
  system.wHour = static_cast<WORD>(time.hour);
  system.wMinute = static_cast<WORD>(time.minute);
  system.wSecond = static_cast<WORD>(time.second);
  system.wMilliseconds = static_cast<WORD>(time.milliseconds);
  return system;
}

// The wide functions give the user's formats in full, whatever the ANSI code page; the text
// then comes down to Windows-1251 like every other text of the program.
std::string Narrow(const wchar_t* wide, int lengthWithNul) {
  if (lengthWithNul <= 1) return {};
  return text::Utf16ToCp1251(
      std::u16string(wide, wide + static_cast<std::size_t>(lengthWithNul - 1)));
}

}  // namespace

LocalTime Win32Clock::Now() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return LocalTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                   now.wMinute, now.wSecond, now.wMilliseconds};
}

std::string Win32Clock::ShortDate(const LocalTime& time) {
  const SYSTEMTIME system = ToSystemTime(time);
  wchar_t buffer[128];
  const int length = ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &system, nullptr, buffer,
                                      static_cast<int>(std::size(buffer)));
  return Narrow(buffer, length);
}

std::string Win32Clock::LongTime(const LocalTime& time) {
  const SYSTEMTIME system = ToSystemTime(time);
  wchar_t buffer[128];
  const int length = ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &system, nullptr, buffer,
                                      static_cast<int>(std::size(buffer)));
  return Narrow(buffer, length);
}

}  // namespace platform
