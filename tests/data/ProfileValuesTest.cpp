// Integers and booleans of the settings file as text.

#include <gtest/gtest.h>

#include <optional>

#include "data/ProfileValues.h"

namespace {

using data::ParseBoolean;
using data::ParseInteger;

TEST(ProfileValues, IntegersAreOptionallySignedDecimalText) {
  EXPECT_EQ(ParseInteger("30"), 30);
  EXPECT_EQ(ParseInteger("-5"), -5);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("007"), 7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ProfileValues, BlanksAroundAnIntegerAreAllowed) {
  EXPECT_EQ(ParseInteger(" 30"), 30);
  EXPECT_EQ(ParseInteger("30 "), 30);
  EXPECT_EQ(ParseInteger("\t-5\t "), -5);
  EXPECT_EQ(ParseInteger("- 5"), std::nullopt);
  EXPECT_EQ(ParseInteger("3 0"), std::nullopt);
}

TEST(ProfileValues, AnythingElseIsNoInteger) {
  for (const char* text : {"", " ", "abc", "12abc", "0x10", "$10", "1e3", "7.5", "-", "+", "+-5",
                           "--5", "2147483648", "-2147483649", "99999999999999999999"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseInteger(text), std::nullopt);
  }
}

TEST(ProfileValues, BooleansAreIntegers) {
  EXPECT_EQ(ParseBoolean("0"), false);
  EXPECT_EQ(ParseBoolean("1"), true);
  EXPECT_EQ(ParseBoolean("2"), true);
  EXPECT_EQ(ParseBoolean("-1"), true);
  EXPECT_EQ(ParseBoolean("no"), std::nullopt);
  EXPECT_EQ(ParseBoolean("true"), std::nullopt);
}

}  // namespace
