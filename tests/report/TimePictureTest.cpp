// Dates and times read back from what Windows pictures write. The writer here is the hand-set
// clock whose output is checked against Windows itself.

#include <gtest/gtest.h>

#include <string>

#include "platform/native/FormatClock.h"
#include "platform/text/Cp1251.h"
#include "report/TimePicture.h"

namespace {

using platform::LocalTime;
using report::PictureFields;
using report::TimePicture;

const LocalTime kTimes[] = {{2024, 3, 5, 7, 4, 9, 0},     {1999, 12, 31, 23, 59, 58, 0},
                            {2001, 1, 1, 0, 0, 0, 0},     {2010, 10, 10, 12, 30, 5, 0},
                            {2000, 2, 29, 11, 59, 59, 0}, {2029, 11, 30, 12, 0, 0, 0}};

TEST(TimePicture, ReadsBackEveryDateAPictureWrites) {
  const std::string pictures[] = {"dd.MM.yyyy",
                                  "d.M.yyyy",
                                  "d/M/yy",
                                  "yyyy-MM-dd",
                                  "M/d/y",
                                  "'day' d 'of' M, yyyy",
                                  text::Cp(u8"d.MM.yyyy' р.'"),
                                  "dd''MM''yy"};
  for (const std::string& picture : pictures) {
    const TimePicture reader(picture);
    platform::FormatClock writer(picture, "H");
    for (const LocalTime& t : kTimes) {
      const std::string written = writer.ShortDate(t);
      SCOPED_TRACE(picture + " -> " + written);
      const std::optional<PictureFields> read = reader.Read(written);
      ASSERT_TRUE(read.has_value());
      EXPECT_EQ(read->year, t.year);
      EXPECT_EQ(read->month, t.month);
      EXPECT_EQ(read->day, t.day);
      EXPECT_EQ(read->hour, -1);
    }
  }
}

TEST(TimePicture, ReadsBackEveryTimeAPictureWrites) {
  const std::string am = text::Cp("дп");
  const std::string pm = text::Cp("пп");
  const std::string pictures[] = {"H:mm:ss",    "HH:mm:ss",        "h:mm:ss tt", "hh:mm:ss t",
                                  "tt h:mm:ss", "H 'h' mm 's' ss", "HH.mm"};
  for (const std::string& picture : pictures) {
    const TimePicture reader(picture, am, pm);
    platform::FormatClock writer("d", picture, am, pm);
    for (const LocalTime& t : kTimes) {
      const std::string written = writer.LongTime(t);
      SCOPED_TRACE(picture + " -> " + written);
      const std::optional<PictureFields> read = reader.Read(written);
      ASSERT_TRUE(read.has_value());
      EXPECT_EQ(read->hour, t.hour);
      EXPECT_EQ(read->minute, t.minute);
      EXPECT_EQ(read->second, picture.find('s') == std::string::npos ? -1 : t.second);
    }
  }
}

TEST(TimePicture, DesignatorsThatBeginAlikeAreToldApart) {
  // Some locales write only the afternoon's designator.
  const TimePicture reader("h:mm tt", "", "PM");
  EXPECT_EQ(reader.Read("1:05 PM")->hour, 13);
  EXPECT_EQ(reader.Read("1:05 ")->hour, 1);
  EXPECT_EQ(reader.Read("12:05 ")->hour, 0);
  EXPECT_EQ(reader.Read("12:05 PM")->hour, 12);
}

TEST(TimePicture, RefusesTextThatDoesntFitOrNamesNoRealMoment) {
  const TimePicture date("dd.MM.yyyy");
  EXPECT_FALSE(date.Read("8.12.2026"));    // two digits wanted
  EXPECT_FALSE(date.Read("08.12.26"));     // four wanted
  EXPECT_FALSE(date.Read("08.12.2026 "));  // something left over
  EXPECT_FALSE(date.Read("08-12-2026"));
  EXPECT_FALSE(date.Read(""));
  EXPECT_FALSE(date.Read("31.04.2026"));
  EXPECT_FALSE(date.Read("29.02.2026"));
  EXPECT_TRUE(date.Read("29.02.2028"));
  EXPECT_FALSE(date.Read("29.02.2100"));
  EXPECT_FALSE(date.Read("00.12.2026"));
  EXPECT_FALSE(date.Read("01.13.2026"));
  const TimePicture time("H:mm:ss");
  EXPECT_FALSE(time.Read("24:00:00"));
  EXPECT_FALSE(time.Read("23:60:00"));
  EXPECT_FALSE(time.Read("23:00:60"));
  EXPECT_FALSE(time.Read("123:00:00"));
  EXPECT_FALSE(TimePicture("h:mm tt").Read("13:00 PM"));
  EXPECT_FALSE(TimePicture("h:mm tt").Read("1:00 XM"));
}

TEST(TimePicture, PicturesWithNamesOrNothingToReadAreRefused) {
  EXPECT_THROW(TimePicture("ddd dd.MM.yyyy"), report::BadPicture);
  EXPECT_THROW(TimePicture("d MMMM yyyy"), report::BadPicture);
  EXPECT_THROW(TimePicture("'d.M.y'"), report::BadPicture);
  EXPECT_THROW(TimePicture(""), report::BadPicture);
  EXPECT_TRUE(TimePicture("dd.MM.yyyy").ShowsDate());
  EXPECT_FALSE(TimePicture("dd.MM").ShowsDate());
  EXPECT_TRUE(TimePicture("h:mm tt").ShowsTimeOfDay());
  EXPECT_FALSE(TimePicture("mm:ss").ShowsTimeOfDay());
}

}  // namespace
