// Start-up seen from outside: the settings file, the seeded administrator, the caption, and
// the ANSI code page the program runs under.

#include <sstream>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::string kCrLf = "\r\n";

// The lines of a settings file written at a first start, as Windows-1251 bytes.
std::vector<std::string> DefaultSettingsLines() {
  return {"[Main]",
          "Program name=" + ToCp1251(L"Брумелка"),
          "Version=0.90",
          "Author=Brumelka team",
          "[Data files]",
          "UsersFile=users.usr",
          "LogFileName=connects.log",
          "[Params]",
          "IsMinimizeToTrayOnConnect=1",
          "TimeLogMinuteInterval=10",
          "IsShowInTrayOnStartup=0"};
}

// Splits at CR LF; sets `bareBreaks` when a CR or LF stands alone.
std::vector<std::string> SplitCrLf(const std::string& bytes, bool& bareBreaks) {
  std::vector<std::string> lines;
  bareBreaks = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find(kCrLf, start);
    const std::string line =
        bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.find_first_of("\r\n") != std::string::npos) bareBreaks = true;
    lines.push_back(line);
    if (end == std::string::npos) {
      bareBreaks = true;  // the last line has no CR LF
      break;
    }
    start = end + kCrLf.size();
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += "  " + Escape(line) + "\n";
  return out;
}

using StartupTest = BlackBoxTest;

TEST_F(StartupTest, FirstStartWritesTheDefaultSettingsFileInWindows1251) {
  ASSERT_NO_FATAL_FAILURE(StartProgram());

  const std::optional<std::string> bytes = ReadBytes(SettingsFile());
  ASSERT_TRUE(bytes) << SettingsFile().string() << " was not created";
  bool bareBreaks = false;
  std::vector<std::string> lines = SplitCrLf(*bytes, bareBreaks);
  EXPECT_FALSE(bareBreaks) << "every line must end with CR LF: " << Escape(*bytes);
  // Empty lines between sections carry no meaning.
  std::erase(lines, std::string());
  EXPECT_EQ(lines, DefaultSettingsLines()) << "written:\n"
                                           << Joined(lines) << "expected:\n"
                                           << Joined(DefaultSettingsLines());
}

TEST_F(StartupTest, FirstStartWithoutUsersFileSeedsRootAndLogsHimIn) {
  ASSERT_NO_FATAL_FAILURE(StartProgram());

  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - root"));
  const std::vector<HWND> buttons = ChildrenWithText(window_, L"Button", L"root");
  ASSERT_EQ(buttons.size(), 1u) << DescribeChildren(window_);
  const RECT bounds = BoundsInParent(buttons.front());
  EXPECT_EQ(bounds.left, 30);
  EXPECT_EQ(bounds.top, 314);
  EXPECT_TRUE(DrawnWith(buttons.front(), Weight::Bold)) << "the logged-in root's button";
  EXPECT_EQ(Utf8(TextOf(RequireControl(kStatusLine))), Utf8(L"Змінено користувача на \"root\"."));
  // The seeded table lives in memory only.
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / L"users.usr"));
}

TEST_F(StartupTest, UsersFileWithUsersLeavesNobodyLoggedIn) {
  WriteUsers({{ToCp1251(L"Петро"), "p1", "0441", "petro", "net1"},
              {ToCp1251(L"Ірина"), "p2", "0442", "iryna", "net2"}});
  const std::string usersBefore = *ReadBytes(folder_.Path() / L"users.usr");
  ASSERT_NO_FATAL_FAILURE(StartProgram());

  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  EXPECT_EQ(Utf8(TextOf(RequireControl(kStatusLine))),
            Utf8(L"Слід ввести свої особисті дані для того, щоб увійти в мережу."));
  for (const Place& field : {kPhoneEdit, kLoginEdit, kPasswordEdit, kPassEdit})
    EXPECT_EQ(Utf8(TextOf(RequireControl(field))), "") << "field at " << field.top;
  for (const wchar_t* name : {L"Петро", L"Ірина"}) {
    HWND button = UserButton(name);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(DrawnWith(button, Weight::Normal)) << "nobody is logged in";
  }
  EXPECT_TRUE(ChildrenWithText(window_, L"Button", L"root").empty()) << "root was seeded";
  EXPECT_EQ(ReadBytes(folder_.Path() / L"users.usr"), usersBefore);
}

TEST_F(StartupTest, ExistingSettingsFileIsReadAndNotRewritten) {
  const std::string settings = "[Main]\r\nProgram name=" + ToCp1251(L"Брумелка") +
                               "\r\n\r\n[Data files]\r\nUsersFile=people.dat\r\n"
                               "LogFileName=visits.log\r\n\r\n[Params]\r\n"
                               "TimeLogMinuteInterval=3\r\nExtra=kept\r\n";
  ASSERT_TRUE(WriteBytes(SettingsFile(), settings));
  folder_.Write(L"people.dat", UsersFileBytes({{ToCp1251(L"Оксана"), "o", "", "", ""}}));
  WriteUsers({{"Default", "d", "", "", ""}});
  ASSERT_NO_FATAL_FAILURE(StartProgram());

  EXPECT_NE(UserButton(L"Оксана"), nullptr) << "the users file named in the settings";
  EXPECT_TRUE(ChildrenWithText(window_, L"Button", L"Default").empty())
      << "users.usr was loaded although the settings name people.dat";
  EXPECT_EQ(Escape(ReadBytes(SettingsFile()).value_or("<missing>")), Escape(settings));
}

// Both registrations of this program run the whole suite: one under code page 1251, one
// under 1252, where the program's texts can't pass through the ANSI code page.
TEST_F(StartupTest, ProgramRunsUnderTheExpectedAnsiCodePage) {
  const unsigned own = ::GetACP();
  std::ostringstream shown;
  shown << own;
  RecordProperty("AnsiCodePage", shown.str());
  std::printf("ANSI code page of the test program: %u\n", own);
  const std::optional<unsigned> expected = ExpectedAnsiCodePage();
  if (expected) {
    EXPECT_EQ(own, *expected) << "the locale did not give the expected code page";
  }
  // The reading of another process's code page is checked on this process first.
  ASSERT_EQ(AnsiCodePageOf(::GetCurrentProcess()), std::optional<unsigned>(own));

  WriteUsers({{ToCp1251(L"Петро"), "", "", "", ""}});
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  const std::optional<unsigned> program = AnsiCodePageOf(program_->Handle());
  ASSERT_TRUE(program) << "the code page of brumelka.exe can't be read";
  std::printf("ANSI code page of brumelka.exe: %u\n", *program);
  EXPECT_EQ(*program, own) << "brumelka.exe runs under another code page than this program";
  // Texts come out as UTF-16 whatever that code page is.
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  EXPECT_NE(UserButton(L"Петро"), nullptr);
}

}  // namespace
}  // namespace blackbox
