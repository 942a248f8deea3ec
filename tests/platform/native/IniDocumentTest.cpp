// How the own profile-file code changes a file: one line at a time, the rest kept as it was.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/native/IniDocument.h"
#include "platform/text/Cp1251.h"

namespace {

using platform::IniDocument;

TEST(IniDocument, UpdateTouchesOnlyItsLine) {
  IniDocument ini(
      "; comment\n"
      "[A]\r\n"
      "  key = old  \r\n"
      "\r\n"
      "\r\n"
      "[B]\n"
      "x=1\n");
  ASSERT_TRUE(ini.Write("a", "KEY", "new"));
  EXPECT_EQ(ini.Bytes(),
            "; comment\n"
            "[A]\r\n"
            "key=new\r\n"
            "\r\n"
            "\r\n"
            "[B]\n"
            "x=1\n");
}

TEST(IniDocument, NewKeysGoBeforeTheBlankLinesThatEndTheirSection) {
  IniDocument ini("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ASSERT_TRUE(ini.Write("A", "z", "3"));
  ASSERT_TRUE(ini.Write("B", "w", "4"));
  EXPECT_EQ(ini.Bytes(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n");
}

TEST(IniDocument, AppendingAfterALastLineWithoutLineEndEndsItFirst) {
  IniDocument ini("[A]\r\nx=1");
  ASSERT_TRUE(ini.Write("B", "y", "2"));
  EXPECT_EQ(ini.Bytes(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
}

TEST(IniDocument, AppendingAfterALastLineEndingInACarriageReturnOnlyEndsItFirst) {
  IniDocument ini("[A]\r\nx=1\r");
  ASSERT_TRUE(ini.Write("B", "y", "2"));
  ASSERT_TRUE(ini.Write("A", "z", "3"));
  EXPECT_EQ(ini.Bytes(), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n");
  // What was written reads back from the bytes, as the next load sees them.
  const IniDocument reloaded(ini.Bytes());
  EXPECT_EQ(reloaded.Read("B", "y"), "2");
  EXPECT_EQ(reloaded.Read("A", "x"), "1");
}

TEST(IniDocument, FirstOfDuplicateSectionsAndKeysWins) {
  IniDocument ini("[A]\r\nx=1\r\nx=2\r\n[a]\r\ny=3\r\n");
  EXPECT_EQ(ini.Read("A", "x"), "1");
  EXPECT_EQ(ini.Read("A", "y"), std::nullopt);
  ASSERT_TRUE(ini.Write("A", "X", "9"));
  EXPECT_EQ(ini.Bytes(), "[A]\r\nx=9\r\nx=2\r\n[a]\r\ny=3\r\n");
}

TEST(IniDocument, LinesThatHoldNoKeyAreNotKeys) {
  IniDocument ini("top=1\r\n[A]\r\n;x=1\r\nnoequals\r\nk=v=w\r\n");
  EXPECT_EQ(ini.Keys("A"), (std::vector<std::string>{"k"}));
  EXPECT_EQ(ini.Read("A", "k"), "v=w");
  EXPECT_EQ(ini.Read("A", ";x"), std::nullopt);
  EXPECT_EQ(ini.Read("A", "noequals"), std::nullopt);
  EXPECT_TRUE(ini.Keys("").empty());
}

TEST(IniDocument, CyrillicNamesMatchOnlyByTheirBytes) {
  IniDocument ini;
  ASSERT_TRUE(ini.Write(text::Cp(u8"Розділ"), text::Cp(u8"Ключ"), "1"));
  EXPECT_EQ(ini.Read(text::Cp(u8"Розділ"), text::Cp(u8"Ключ")), "1");
  EXPECT_EQ(ini.Read(text::Cp(u8"РОЗДІЛ"), text::Cp(u8"Ключ")), std::nullopt);
  EXPECT_EQ(ini.Read(text::Cp(u8"Розділ"), text::Cp(u8"ключ")), std::nullopt);
}

TEST(IniDocument, RefusesWhatWouldBreakTheLines) {
  IniDocument ini("[A]\r\nx=1\r\n");
  EXPECT_FALSE(ini.Write("A", "x", "two\r\nlines"));
  EXPECT_FALSE(ini.Write("A", "a=b", "1"));
  EXPECT_FALSE(ini.Write("A", "", "1"));
  EXPECT_FALSE(ini.Write("A", ";c", "1"));
  EXPECT_FALSE(ini.Write("A]", "x", "1"));
  EXPECT_FALSE(ini.Write("", "x", "1"));
  EXPECT_EQ(ini.Bytes(), "[A]\r\nx=1\r\n");
}

}  // namespace
