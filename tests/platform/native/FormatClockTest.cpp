// The hand-set clock and its Windows-style date and time pictures.

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/native/FormatClock.h"
#include "platform/text/Cp1251.h"

namespace {

using platform::FormatClock;
using platform::LocalTime;

const LocalTime kMorning{2024, 3, 5, 7, 4, 9, 250};
const LocalTime kEvening{1999, 12, 31, 23, 59, 58, 0};

std::string Date(const char* picture, const LocalTime& time) {
  return FormatClock(picture, "H").ShortDate(time);
}

std::string Time(const char* picture, const LocalTime& time) {
  return FormatClock("d", picture).LongTime(time);
}

TEST(FormatClock, NowIsTheTimeSetByHand) {
  FormatClock clock("dd.MM.yyyy", "H:mm:ss");
  clock.Set(kEvening);
  const LocalTime now = clock.Now();
  EXPECT_EQ(now.year, 1999);
  EXPECT_EQ(now.month, 12);
  EXPECT_EQ(now.day, 31);
  EXPECT_EQ(now.hour, 23);
  EXPECT_EQ(now.minute, 59);
  EXPECT_EQ(now.second, 58);
}

TEST(FormatClock, UkrainianPictures) {
  FormatClock clock("dd.MM.yyyy", "H:mm:ss");
  EXPECT_EQ(clock.ShortDate(kMorning), "05.03.2024");
  EXPECT_EQ(clock.LongTime(kMorning), "7:04:09");
  EXPECT_EQ(clock.ShortDate(kEvening), "31.12.1999");
  EXPECT_EQ(clock.LongTime(kEvening), "23:59:58");
}

TEST(FormatClock, DateFieldsWithAndWithoutLeadingZeros) {
  EXPECT_EQ(Date("d/M/yy", kMorning), "5/3/24");
  EXPECT_EQ(Date("dd-MM-yy", kMorning), "05-03-24");
  EXPECT_EQ(Date("yyyy.M.d", kEvening), "1999.12.31");
  EXPECT_EQ(Date("y", LocalTime{2005, 1, 1}), "05");
  EXPECT_EQ(Date("yy", LocalTime{2005, 1, 1}), "05");
  EXPECT_EQ(Date("yyyy", LocalTime{987, 1, 1}), "0987");
}

TEST(FormatClock, TwelveAndTwentyFourHourClocks) {
  EXPECT_EQ(Time("HH:mm:ss", kMorning), "07:04:09");
  EXPECT_EQ(Time("h:m:s", kMorning), "7:4:9");
  EXPECT_EQ(Time("hh:mm tt", kEvening), "11:59 PM");
  EXPECT_EQ(Time("h:mm t", LocalTime{2024, 1, 1, 0, 5}), "12:05 A");
  EXPECT_EQ(Time("h tt", LocalTime{2024, 1, 1, 12, 0}), "12 PM");
  EXPECT_EQ(Time("H", LocalTime{2024, 1, 1, 0, 0}), "0");
}

TEST(FormatClock, DesignatorsAreTheOnesGiven) {
  FormatClock clock("d", "h:mm tt", text::Cp(u8"дп"), text::Cp(u8"пп"));
  EXPECT_EQ(clock.LongTime(kMorning), "7:04 " + text::Cp(u8"дп"));
  EXPECT_EQ(clock.LongTime(kEvening), "11:59 " + text::Cp(u8"пп"));
}

TEST(FormatClock, QuotedTextIsCopied) {
  EXPECT_EQ(Date("'day' d", kMorning), "day 5");
  EXPECT_EQ(Time("H 'h' mm 'min'", kMorning), "7 h 04 min");
  EXPECT_EQ(Time("H 'o''clock'", kMorning), "7 o'clock");
  EXPECT_EQ(Time("H''mm", kMorning), "7'04");
  EXPECT_EQ(Date("yyyy 'unclosed dd", kMorning), "2024 unclosed dd");
  EXPECT_EQ(FormatClock(text::Cp(u8"d.MM.yyyy' р.'"), "H").ShortDate(kMorning),
            text::Cp(u8"5.03.2024 р."));
}

TEST(FormatClock, DayAndMonthNamesAreRefused) {
  EXPECT_THROW(FormatClock("dddd, d MMMM yyyy", "H:mm:ss"), std::invalid_argument);
  EXPECT_THROW(FormatClock("d MMM", "H"), std::invalid_argument);
  EXPECT_NO_THROW(FormatClock("'dddd' d", "H"));
}

}  // namespace
