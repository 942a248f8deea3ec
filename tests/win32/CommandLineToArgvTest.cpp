// Command lines built by QuoteArgument and TextEditorCommandLine, split again by Windows' own
// parser (CommandLineToArgvW): every argument has to come back whole.

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/CommandLine.h"
#include "platform/text/Cp1251.h"

namespace {

std::wstring Wide(const std::string& cp1251) {
  const std::u16string utf16 = text::Cp1251ToUtf16(cp1251);
  return std::wstring(utf16.begin(), utf16.end());
}

// The arguments Windows finds in a Windows-1251 command line.
std::vector<std::wstring> Split(const std::string& commandLineCp1251) {
  const std::wstring line = Wide(commandLineCp1251);
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::wstring> arguments;
  if (argv == nullptr) {
    ADD_FAILURE() << "CommandLineToArgvW failed, error " << GetLastError();
    return arguments;
  }
  for (int i = 0; i < count; ++i) arguments.emplace_back(argv[i]);
  LocalFree(argv);
  return arguments;
}

// Arguments in UTF-8 as written here; the command line gets their Windows-1251 bytes.
const char* const kArguments[] = {
    "connects.log",
    "my log.txt",
    "",
    " lead and trail ",
    "tab\there",
    R"(C:\Program Files\Logs\connects.log)",
    R"(\\server\share\a b.log)",
    R"(C:\My Logs\)",
    R"(C:\My Logs\\)",
    R"(\)",
    R"(say "hi")",
    R"(")",
    R"("")",
    R"(a\"b)",
    R"(a\\"b)",
    R"(\"\)",
    R"(x\y\"z)",
    "Мій журнал з`єднань.log",
    R"(C:\Користувачі\Петро\Журнали\)",
    R"("Київстар" нічний)",
};

TEST(CommandLineToArgv, EachQuotedArgumentComesBackWhole) {
  for (const char* utf8 : kArguments) {
    const std::string argument = text::Cp(utf8);
    SCOPED_TRACE(argument);
    const std::string line = "prog.exe " + platform::QuoteArgument(argument);
    const std::vector<std::wstring> arguments = Split(line);
    ASSERT_EQ(arguments.size(), 2u) << line;
    EXPECT_TRUE(arguments[1] == Wide(argument)) << line;
  }
}

TEST(CommandLineToArgv, AllArgumentsOnOneLineKeepTheirPlaces) {
  std::string line = "prog.exe";
  std::vector<std::wstring> expected = {L"prog.exe"};
  for (const char* utf8 : kArguments) {
    line += ' ';
    line += platform::QuoteArgument(text::Cp(utf8));
    expected.push_back(Wide(text::Cp(utf8)));
  }
  const std::vector<std::wstring> arguments = Split(line);
  ASSERT_EQ(arguments.size(), expected.size()) << line;
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_TRUE(arguments[i] == expected[i]) << "argument " << i << " of " << line;
}

TEST(CommandLineToArgv, TheEditorCommandLineGivesTheEditorAndTheFile) {
  struct Case {
    const char* editor;
    const char* file;
  };
  const Case cases[] = {
      {R"(C:\Windows\system32\notepad.exe)", "connects.log"},
      {R"(C:\Program Files\Editor\edit.exe)", R"(D:\My Logs\connects.log)"},
      {R"(C:\Програми\Мій редактор\edit.exe)", "Журнал з`єднань.log"},
      {R"(C:\Windows\notepad.exe)", R"(C:\logs\)"},
      {R"(C:\Windows\notepad.exe)", R"(odd "quoted" name.log)"},
      {R"(C:\Windows\notepad.exe)", ""},
  };
  for (const Case& c : cases) {
    const std::string editor = text::Cp(c.editor);
    const std::string file = text::Cp(c.file);
    const std::string line = platform::TextEditorCommandLine(editor, file);
    SCOPED_TRACE(line);
    const std::vector<std::wstring> arguments = Split(line);
    ASSERT_EQ(arguments.size(), 2u);
    EXPECT_TRUE(arguments[0] == Wide(editor));
    EXPECT_TRUE(arguments[1] == Wide(file));
  }
}

}  // namespace
