// brumelka-report.exe from outside: a log written by the program's own log writer in this
// system's regional formats, read while another program holds it open for writing.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/TLog.h"
#include "platform/CommandLine.h"
#include "platform/text/Cp1251.h"
#include "platform/win32/Win32Clock.h"
#include "support/TempFolder.h"

namespace {

using platform::LocalTime;

// The system's formats with a time set by hand.
class SetClock : public platform::Win32Clock {
 public:
  LocalTime now;
  LocalTime Now() override { return now; }
};

std::wstring Wide(const std::string& cp1251) {
  const std::u16string utf16 = text::Cp1251ToUtf16(cp1251);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Cp1251(const std::wstring& wide) {
  return text::Utf16ToCp1251(std::u16string(wide.begin(), wide.end()));
}

struct Finished {
  DWORD exitCode = 0;
  std::string out;  // bytes as the program wrote them
  std::string err;
};

HANDLE InheritableFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs the report with its output going to files, as when redirected to a file or a pipe.
Finished RunReport(const std::filesystem::path& folder, const std::vector<std::string>& arguments) {
  std::string commandLine = platform::QuoteArgument(Cp1251(BRUMELKA_REPORT_EXE_W));
  for (const std::string& argument : arguments)
    commandLine += " " + platform::QuoteArgument(argument);
  std::wstring command = Wide(commandLine);

  static int runs = 0;
  ++runs;
  const std::filesystem::path outPath = folder / ("out" + std::to_string(runs) + ".txt");
  const std::filesystem::path errPath = folder / ("err" + std::to_string(runs) + ".txt");
  Finished finished;
  {
    const HANDLE out = InheritableFile(outPath);
    const HANDLE err = InheritableFile(errPath);
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) {
      ADD_FAILURE() << "no output file: error " << ::GetLastError();
      return finished;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION info{};
    const bool started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                                          CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (!started) {
      ADD_FAILURE() << "CreateProcessW failed: error " << ::GetLastError();
      return finished;
    }
    EXPECT_EQ(::WaitForSingleObject(info.hProcess, 60000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(info.hProcess, &finished.exitCode);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
  }
  finished.out = testing_support::ReadFile(outPath);
  finished.err = testing_support::ReadFile(errPath);
  return finished;
}

class ReportExe : public ::testing::Test {
 protected:
  // Writes entries the way the program does, at the given moments.
  void Log(const std::string& userUtf8, const char* actionUtf8, const LocalTime& when) {
    clock_.now = when;
    log_.AddLogEntry(text::Utf8ToCp1251(userUtf8), text::Utf8ToCp1251(actionUtf8));
  }

  std::string LogPath() const { return Cp1251((folder_.Path() / L"журнал.log").wstring()); }

  testing_support::TempFolder folder_;
  SetClock clock_;
  data::TLog log_{clock_, [](const std::string& failure) { FAIL() << failure; }};
};

TEST_F(ReportExe, ReadsALogInTheRegionalFormatsWhileItIsOpenForWriting) {
  log_.FileName = LogPath();
  Log("Оксана", "з`єднався", {2026, 11, 30, 23, 0, 0, 0});
  Log("Оксана", "працював", {2026, 11, 30, 23, 40, 0, 0});
  Log("root", "розз`єднався", {2026, 12, 1, 0, 30, 0, 0});
  Log("root", "з`єднався", {2026, 12, 8, 13, 5, 9, 0});
  Log("root", "працював", {2026, 12, 8, 13, 15, 9, 0});
  Log("", "працював", {2026, 12, 8, 14, 5, 9, 0});

  // A writer that lets others read and write, as the program's own appending does.
  const HANDLE writer =
      ::CreateFileW(Wide(LogPath()).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  const Finished csv = RunReport(folder_.Path(), {LogPath(), "--csv"});
  const Finished month = RunReport(folder_.Path(), {"--month", "2026-11", LogPath()});
  ::CloseHandle(writer);

  SCOPED_TRACE(text::Cp1251ToUtf8(testing_support::ReadFile(folder_.Path() / L"журнал.log")));
  EXPECT_EQ(csv.exitCode, 0u) << text::Cp1251ToUtf8(csv.err);
  EXPECT_EQ(csv.err, "");
  EXPECT_EQ(csv.out, text::Utf8ToCp1251(
                         "Місяць,Користувач,Сеансів,Час на лінії,Найдовший сеанс,Без кінця\r\n"
                         "2026-12,root,1,1:00:00,1:00:00,1\r\n"
                         "2026-12,Оксана,1,0:30:00,0:30:00,0\r\n"
                         "2026-11,Оксана,1,1:00:00,1:00:00,0\r\n"));
  EXPECT_EQ(month.exitCode, 0u) << text::Cp1251ToUtf8(month.err);
  EXPECT_EQ(month.out,
            text::Utf8ToCp1251(
                "Місяць   Користувач  Сеансів  Час на лінії  Найдовший сеанс  Без кінця\r\n"
                "2026-11  Оксана            1       1:00:00          1:00:00          0\r\n"));
}

TEST_F(ReportExe, SaysWhatIsWrongAndEndsWithAnExitCode) {
  const Finished missing = RunReport(folder_.Path(), {LogPath()});
  EXPECT_EQ(missing.exitCode, 1u);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, text::Utf8ToCp1251("Не вдалося відкрити журнал ") + LogPath() + ".\r\n");

  const Finished wrong = RunReport(folder_.Path(), {"--month", "12.2026"});
  EXPECT_EQ(wrong.exitCode, 2u);
  EXPECT_EQ(wrong.out, "");
  EXPECT_EQ(wrong.err.rfind(text::Utf8ToCp1251("Місяць пишеться як РРРР-ММ"), 0), 0u);
}

}  // namespace
