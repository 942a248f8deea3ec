// The Windows clock, and the hand-set clock's pictures checked against Windows' own formatting.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/native/FormatClock.h"
#include "platform/text/Cp1251.h"
#include "platform/win32/Win32Clock.h"

namespace {

using platform::LocalTime;

const LocalTime kTimes[] = {{2024, 3, 5, 7, 4, 9, 250},
                            {1999, 12, 31, 23, 59, 58, 0},
                            {2001, 1, 1, 0, 0, 0, 0},
                            {2010, 10, 10, 12, 30, 5, 0},
                            {2000, 2, 29, 11, 59, 59, 999}};

SYSTEMTIME ToSystem(const LocalTime& t) {
  SYSTEMTIME s{};
  s.wYear = static_cast<WORD>(t.year);
  s.wMonth = static_cast<WORD>(t.month);
  s.wDay = static_cast<WORD>(t.day);
  s.wHour = static_cast<WORD>(t.hour);
  s.wMinute = static_cast<WORD>(t.minute);
  s.wSecond = static_cast<WORD>(t.second);
  return s;
}

std::string Cp(const wchar_t* wide) {
  const std::wstring w(wide);
  return text::Utf16ToCp1251(std::u16string(w.begin(), w.end()));
}

std::wstring Wide(const std::string& cp1251) {
  const std::u16string u = text::Cp1251ToUtf16(cp1251);
  return std::wstring(u.begin(), u.end());
}

std::string LocaleText(LCTYPE type) {
  wchar_t buffer[128] = {};
  ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  return Cp(buffer);
}

std::string WindowsDate(const std::string& picture, const LocalTime& t) {
  const SYSTEMTIME s = ToSystem(t);
  wchar_t buffer[128] = {};
  ::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &s, Wide(picture).c_str(), buffer, 128);
  return Cp(buffer);
}

std::string WindowsTime(const std::string& picture, const LocalTime& t) {
  const SYSTEMTIME s = ToSystem(t);
  wchar_t buffer[128] = {};
  ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &s, Wide(picture).c_str(), buffer, 128);
  return Cp(buffer);
}

TEST(Win32Clock, NowIsAPlausibleLocalTime) {
  platform::Win32Clock clock;
  SYSTEMTIME before{};
  ::GetLocalTime(&before);
  const LocalTime now = clock.Now();
  EXPECT_GE(now.year, before.wYear);
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
  EXPECT_GE(now.day, 1);
  EXPECT_LE(now.day, 31);
  EXPECT_LE(now.hour, 23);
  EXPECT_LE(now.minute, 59);
  EXPECT_LE(now.second, 59);
}

TEST(Win32Clock, FormatsInTheUsersPictures) {
  platform::Win32Clock clock;
  platform::FormatClock pictures(LocaleText(LOCALE_SSHORTDATE), LocaleText(LOCALE_STIMEFORMAT),
                                 LocaleText(LOCALE_S1159), LocaleText(LOCALE_S2359));
  for (const LocalTime& t : kTimes) {
    SCOPED_TRACE(std::to_string(t.year) + "-" + std::to_string(t.month) + "-" +
                 std::to_string(t.day) + " " + std::to_string(t.hour));
    EXPECT_EQ(clock.ShortDate(t), pictures.ShortDate(t));
    EXPECT_EQ(clock.LongTime(t), pictures.LongTime(t));
  }
}

TEST(Win32Clock, HandSetPicturesMatchWindows) {
  const std::string datePictures[] = {"dd.MM.yyyy", "d/M/yy",  "yyyy-MM-dd",
                                      "d.M.y",      "'day' d", text::Cp(u8"d.MM.yyyy' р.'")};
  const std::string timePictures[] = {"H:mm:ss", "HH:mm:ss", "h:mm:ss tt",
                                      "hh:mm t", "H 'h' mm", "H' o''clock'"};
  const std::string am = LocaleText(LOCALE_S1159);
  const std::string pm = LocaleText(LOCALE_S2359);
  for (const LocalTime& t : kTimes) {
    for (const std::string& picture : datePictures) {
      SCOPED_TRACE(picture);
      EXPECT_EQ(platform::FormatClock(picture, "H", am, pm).ShortDate(t), WindowsDate(picture, t));
    }
    for (const std::string& picture : timePictures) {
      SCOPED_TRACE(picture);
      EXPECT_EQ(platform::FormatClock("d", picture, am, pm).LongTime(t), WindowsTime(picture, t));
    }
  }
}

}  // namespace
