// Files held open by another program (an editor, a backup or virus scanner) that lets nobody
// else in: the users file, the log and the settings file. The holder is a second copy of this
// test program, so the lock is another process's, as on a user's machine.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/TLog.h"
#include "data/TUsers.h"
#include "platform/native/FormatClock.h"
#include "platform/text/Cp1251.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "tests/support/TempFolder.h"

namespace {

const wchar_t kHoldFile[] = L"BRUMELKA_HOLD_FILE";
const wchar_t kHoldEvents[] = L"BRUMELKA_HOLD_EVENTS";

std::wstring Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2] = {};
  const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  return length == 0 || length >= MAX_PATH * 2 ? std::wstring() : std::wstring(value, length);
}

// In the second copy: opens the file named in the environment without sharing, tells the
// first copy through the "ready" event, and keeps it until the "release" event. Runs before
// main, so the copy never gets to the tests.
int HoldFileIfAsked() {
  const std::wstring path = Variable(kHoldFile);
  if (path.empty()) return 0;
  const std::wstring events = Variable(kHoldEvents);
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) ::ExitProcess(2);
  const HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, (events + L"-ready").c_str());
  const HANDLE release = ::OpenEventW(SYNCHRONIZE, FALSE, (events + L"-release").c_str());
  if (ready == nullptr || release == nullptr) ::ExitProcess(3);
  ::SetEvent(ready);
  ::WaitForSingleObject(release, 120000);
  ::CloseHandle(file);
  ::ExitProcess(0);
}
[[maybe_unused]] const int kHolding = HoldFileIfAsked();

// Another process holding `path` open without sharing, from construction to Release().
class FileHeldElsewhere {
 public:
  explicit FileHeldElsewhere(const std::filesystem::path& path) {
    const std::wstring events = L"brumelka-hold-" + std::to_wstring(::GetCurrentProcessId()) +
                                L"-" + std::to_wstring(++count_);
    ready_ = ::CreateEventW(nullptr, TRUE, FALSE, (events + L"-ready").c_str());
    release_ = ::CreateEventW(nullptr, TRUE, FALSE, (events + L"-release").c_str());
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\"";
    ::SetEnvironmentVariableW(kHoldFile, path.wstring().c_str());
    ::SetEnvironmentVariableW(kHoldEvents, events.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const bool started = ::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE,
                                          CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process_);
    ::SetEnvironmentVariableW(kHoldFile, nullptr);
    ::SetEnvironmentVariableW(kHoldEvents, nullptr);
    if (!started) return;
    const HANDLE either[] = {ready_, process_.hProcess};
    holding_ = ::WaitForMultipleObjects(2, either, FALSE, 60000) == WAIT_OBJECT_0;
  }
  ~FileHeldElsewhere() {
    Release();
    ::CloseHandle(ready_);
    ::CloseHandle(release_);
  }
  FileHeldElsewhere(const FileHeldElsewhere&) = delete;
  FileHeldElsewhere& operator=(const FileHeldElsewhere&) = delete;

  bool Holding() const { return holding_; }

  // The other process lets go and ends.
  void Release() {
    if (process_.hProcess == nullptr) return;
    ::SetEvent(release_);
    ::WaitForSingleObject(process_.hProcess, 60000);
    ::CloseHandle(process_.hProcess);
    ::CloseHandle(process_.hThread);
    process_ = {};
    holding_ = false;
  }

 private:
  static inline int count_ = 0;
  HANDLE ready_ = nullptr;
  HANDLE release_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool holding_ = false;
};

class LockedFilesTest : public ::testing::Test {
 protected:
  testing_support::TempFolder folder;
};

}  // namespace

TEST_F(LockedFilesTest, AHeldUsersFileNeitherLoadsNorIsReplacedAndIsUsableOnceLetGo) {
  data::TUsers saved;
  saved.AddUser("anna", "secret", "5550001", "anna-login", "anna-net");
  saved.AddUser("bohdan", "pw", "5550002", "bohdan-login", "bohdan-net");
  ASSERT_TRUE(saved.SaveToFile("users.usr"));
  const std::string before = folder.Read("users.usr");

  FileHeldElsewhere holder(folder.Path() / "users.usr");
  ASSERT_TRUE(holder.Holding());

  data::TUsers users;
  users.AddUser("left", "", "", "", "");
  EXPECT_THROW(users.LoadFromFile("users.usr"), data::UsersFileError);
  EXPECT_EQ(users.Count(), 0);

  data::TUsers changed;
  changed.AddUser("olena", "", "", "", "");
  EXPECT_THROW(changed.SaveToFile("users.usr"), data::UsersFileError);
  EXPECT_EQ(changed.Count(), 1);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "users.usr.tmp"));

  holder.Release();
  EXPECT_EQ(folder.Read("users.usr"), before);
  EXPECT_TRUE(users.LoadFromFile("users.usr"));
  EXPECT_EQ(users.Count(), 2);
}

TEST_F(LockedFilesTest, AnEntryForAHeldLogIsReportedAndLostAndTheNextOneTriesAgain) {
  folder.Write("connects.log", "old line\r\n");
  platform::FormatClock clock{"dd.MM.yyyy", "H:mm:ss"};
  clock.Set({2026, 12, 8, 6, 45, 54, 0});
  std::vector<std::string> reports;
  data::TLog log(clock, [&](const std::string& text) { reports.push_back(text); });
  log.FileName = "connects.log";

  FileHeldElsewhere holder(folder.Path() / "connects.log");
  ASSERT_TRUE(holder.Holding());
  log.AddLogEntry("anna", "lost");
  EXPECT_EQ(reports, std::vector<std::string>{text::Cp("Помилка логування.")});

  holder.Release();
  EXPECT_EQ(folder.Read("connects.log"), "old line\r\n");
  log.AddLogEntry("anna", "kept");
  EXPECT_EQ(reports.size(), 1u);
  EXPECT_EQ(folder.Read("connects.log"),
            "old line\r\nanna kept 08.12.2026" + text::Cp(" о такій годині: ") + "6:45:54\r\n");
}

TEST_F(LockedFilesTest, AHeldSettingsFileRefusesWritesAndKeepsItsText) {
  const std::string path = (folder.Path() / "brumelka.ini").string();
  const std::string text = "[Main]\r\nVersion=0.90\r\n[Params]\r\nTimeLogMinuteInterval=30\r\n";
  folder.Write("brumelka.ini", text);
  platform::Win32ProfileFiles profiles;

  FileHeldElsewhere holder(path);
  ASSERT_TRUE(holder.Holding());
  EXPECT_FALSE(profiles.Write(path, "Params", "TimeLogMinuteInterval", "45"));

  holder.Release();
  EXPECT_EQ(folder.Read("brumelka.ini"), text);
  EXPECT_TRUE(profiles.Write(path, "Params", "TimeLogMinuteInterval", "45"));
  EXPECT_EQ(profiles.Read(path, "Params", "TimeLogMinuteInterval"), "45");
}
