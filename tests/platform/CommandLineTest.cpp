// Quoting an argument for the Windows command-line parser, and the text editor's command line:
// the exact text for inputs where quoting rules bite. tests/win32/CommandLineToArgvTest.cpp
// splits such lines with Windows' own parser.

#include <gtest/gtest.h>

#include <string>

#include "platform/CommandLine.h"
#include "platform/text/Cp1251.h"

namespace {

using platform::QuoteArgument;
using platform::TextEditorCommandLine;

TEST(QuoteArgument, PlainTextAndSpacesAreOnlyEnclosed) {
  EXPECT_EQ(QuoteArgument("connects.log"), R"("connects.log")");
  EXPECT_EQ(QuoteArgument("my log.txt"), R"("my log.txt")");
  EXPECT_EQ(QuoteArgument(" lead and trail "), R"(" lead and trail ")");
  EXPECT_EQ(QuoteArgument("tab\there"), "\"tab\there\"");
}

TEST(QuoteArgument, AnEmptyArgumentIsAPairOfQuotes) {
  EXPECT_EQ(QuoteArgument(""), R"("")");
}

TEST(QuoteArgument, BackslashesAwayFromQuotesStaySingle) {
  EXPECT_EQ(QuoteArgument(R"(C:\Program Files\Logs\connects.log)"),
            R"("C:\Program Files\Logs\connects.log")");
  EXPECT_EQ(QuoteArgument(R"(\\server\share\a b.log)"), R"("\\server\share\a b.log")");
}

TEST(QuoteArgument, TrailingBackslashesAreDoubledBeforeTheClosingQuote) {
  EXPECT_EQ(QuoteArgument(R"(C:\My Logs\)"), R"("C:\My Logs\\")");
  EXPECT_EQ(QuoteArgument(R"(C:\My Logs\\)"), R"("C:\My Logs\\\\")");
  EXPECT_EQ(QuoteArgument(R"(\)"), R"("\\")");
}

TEST(QuoteArgument, EmbeddedQuotesAreEscaped) {
  EXPECT_EQ(QuoteArgument(R"(say "hi")"), R"("say \"hi\"")");
  EXPECT_EQ(QuoteArgument(R"(")"), R"("\"")");
  EXPECT_EQ(QuoteArgument(R"("")"), R"("\"\"")");
}

TEST(QuoteArgument, BackslashesBeforeAQuoteAreDoubledAndTheQuoteEscaped) {
  EXPECT_EQ(QuoteArgument(R"(a\"b)"), R"("a\\\"b")");
  EXPECT_EQ(QuoteArgument(R"(a\\"b)"), R"("a\\\\\"b")");
  EXPECT_EQ(QuoteArgument(R"(\"\)"), R"("\\\"\\")");
  // Only the run right before the quote counts.
  EXPECT_EQ(QuoteArgument(R"(x\y\"z)"), R"("x\y\\\"z")");
}

TEST(QuoteArgument, Windows1251BytesPassUnchanged) {
  const std::string name = text::Cp("Мій журнал з`єднань.log");
  EXPECT_EQ(QuoteArgument(name), "\"" + name + "\"");
}

TEST(TextEditorCommandLine, TheEditorAndTheFileEachQuotedWithOneSpaceBetween) {
  EXPECT_EQ(TextEditorCommandLine(R"(C:\Windows\system32\notepad.exe)", "connects.log"),
            R"("C:\Windows\system32\notepad.exe" "connects.log")");
  EXPECT_EQ(TextEditorCommandLine(R"(C:\Program Files\Editor\edit.exe)", R"(D:\My Logs\a "b".log)"),
            R"("C:\Program Files\Editor\edit.exe" "D:\My Logs\a \"b\".log")");
  EXPECT_EQ(TextEditorCommandLine("notepad.exe", ""), R"("notepad.exe" "")");
  EXPECT_EQ(TextEditorCommandLine("notepad.exe", R"(C:\logs\)"), R"("notepad.exe" "C:\logs\\")");
}

}  // namespace
