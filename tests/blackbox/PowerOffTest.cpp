// The scheduled power-off, armed in its dialog as a user does, carried out against the
// simulated system: the user is hung up and logged, the power-off is requested, and the
// program ends as Windows would have ended it. The line is dialled through the stand-in
// remote-access service.

#include <algorithm>
#include <cstdio>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kName = L"Оксана";
const std::wstring kPass = L"ключ-5";
const std::wstring kDialogCaption = L"Вимкнення комп'ютера";

// The power-off dialog's controls.
constexpr Place kAtTimeBox{L"Button", 12, 70};
constexpr Place kTimeEdit{L"Edit", 250, 68};
constexpr Place kReadyButton{L"Button", 166, 104};

// The main menu down to "Вимкнення комп'ютера..": Статистика, Користувачі, Настройки,
// Довідка, (a line), Новий користувач, the item.
const std::vector<UINT> kTurnOffItem(6, VK_DOWN);

class PowerOffTest : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers({{ToCp1251(kName), ToCp1251(kPass), "0445550", "oksana", "net-5"}});
    folder_.Write(L"phonebook.ini", ToCp1251(L"[Домашній інтернет]\r\nStepMs=60\r\n"));
    ASSERT_NO_FATAL_FAILURE(WriteSettings(/*minimizeToTrayOnConnect=*/false, false));
    ASSERT_NO_FATAL_FAILURE(
        StartProgram({{L"BRUMELKA_SIMULATE", folder_.Path().wstring()},
                      {L"BRUMELKA_RAS_PHONEBOOK", (folder_.Path() / L"phonebook.ini").wstring()},
                      {L"BRUMELKA_RAS_TRACE", (folder_.Path() / L"ras-trace.txt").wstring()}}));
  }

  // Arms the power-off for the present minute in its dialog and waits for the program's end;
  // the log's lines then.
  std::vector<std::string> ArmForThePresentMinuteAndWait() {
    HWND dialog = OpenDialog();
    if (dialog == nullptr) return {};
    EXPECT_FALSE(::IsWindowEnabled(window_)) << "the main window takes input under the dialog";

    HWND atTime = ChildAt(dialog, kAtTimeBox.className, kAtTimeBox.left, kAtTimeBox.top);
    HWND timeEdit = ChildAt(dialog, kTimeEdit.className, kTimeEdit.left, kTimeEdit.top);
    HWND ready = ChildAt(dialog, kReadyButton.className, kReadyButton.left, kReadyButton.top);
    if (atTime == nullptr || timeEdit == nullptr || ready == nullptr) {
      ADD_FAILURE() << "the dialog holds:\n" << DescribeChildren(dialog);
      return {};
    }
    EXPECT_FALSE(::IsWindowEnabled(timeEdit));
    EXPECT_TRUE(Click(atTime));
    EXPECT_TRUE(::IsWindowEnabled(timeEdit)) << "ticking the box left its field disabled";

    const std::wstring time = PresentMinute();
    TypeOver(timeEdit, time);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(timeEdit) == time; }))
        << "the time field holds \"" << Utf8(TextOf(timeEdit)) << "\"";
    EXPECT_TRUE(PostClick(ready));

    const std::optional<DWORD> exitCode = program_->WaitForExit();
    if (!exitCode) {
      ADD_FAILURE() << "the program still runs after the power-off time";
      return {};
    }
    EXPECT_EQ(*exitCode, 0u);
    const std::optional<std::string> system = ReadBytes(folder_.Path() / L"system.log");
    EXPECT_EQ(Escape(system.value_or("(no system.log in the simulated system's folder)")),
              Escape("power-off requested, flags 12\r\n"));

    const std::optional<std::string> log = ReadBytes(folder_.Path() / L"connects.log");
    EXPECT_TRUE(log.has_value()) << "no connects.log";
    EXPECT_TRUE(log.value_or("").ends_with("\r\n")) << Escape(log.value_or(""));
    return Lines(log.value_or(""));
  }

  HWND OpenDialog() {
    ChooseFromMainMenu(kTurnOffItem);
    HWND dialog = WaitForWindow(kDialogCaption);
    EXPECT_NE(dialog, nullptr) << "the power-off dialog did not come";
    return dialog;
  }
};

TEST_F(PowerOffTest, ArmedForThePresentMinuteItLogsAndPowersOff) {
  ASSERT_NO_FATAL_FAILURE(LogIn(kName, kPass));
  const SYSTEMTIME before = Now();
  const std::vector<std::string> lines = ArmForThePresentMinuteAndWait();
  // No line was up, so there is no disconnect to log.
  ASSERT_EQ(lines.size(), 1u) << Escape(ReadBytes(folder_.Path() / L"connects.log").value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, L"вимкнув ПК", before, Now()));
}

TEST_F(PowerOffTest, WithTheLineUpItHangsUpLogsTheDisconnectAndPowersOff) {
  ASSERT_NO_FATAL_FAILURE(LogIn(kName, kPass));
  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  HWND status = RequireControl(kStatusLine);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(status) == L"Ви ввійшли в мережу."; }))
      << "status: " << Utf8(TextOf(status));

  const std::vector<std::string> lines = ArmForThePresentMinuteAndWait();
  const SYSTEMTIME after = Now();
  ASSERT_EQ(lines.size(), 3u) << Escape(ReadBytes(folder_.Path() / L"connects.log").value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, L"з`єднався", before, after));
  EXPECT_TRUE(IsLogLine(lines[1], kName, L"розз`єднався", before, after));
  EXPECT_TRUE(IsLogLine(lines[2], kName, L"вимкнув ПК", before, after));
  // The service was asked to hang the line up.
  const std::vector<std::string> trace =
      Lines(ReadBytes(folder_.Path() / L"ras-trace.txt").value_or(""));
  EXPECT_EQ(std::count_if(trace.begin(), trace.end(),
                          [](const std::string& line) { return line.starts_with("hangup "); }),
            1)
      << Escape(ReadBytes(folder_.Path() / L"ras-trace.txt").value_or(""));
}

TEST_F(PowerOffTest, ATimeOfDayOfAnotherMinuteEndsNothing) {
  ASSERT_NO_FATAL_FAILURE(LogIn(kName, kPass));
  HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  HWND atTime = ChildAt(dialog, kAtTimeBox.className, kAtTimeBox.left, kAtTimeBox.top);
  HWND timeEdit = ChildAt(dialog, kTimeEdit.className, kTimeEdit.left, kTimeEdit.top);
  HWND ready = ChildAt(dialog, kReadyButton.className, kReadyButton.left, kReadyButton.top);
  ASSERT_TRUE(atTime != nullptr && timeEdit != nullptr && ready != nullptr)
      << "the dialog holds:\n"
      << DescribeChildren(dialog);
  ASSERT_TRUE(Click(atTime));

  // An hour from now: the once-a-second look at the clock finds nothing to do.
  SYSTEMTIME now = Now();
  wchar_t later[8] = {};
  std::swprintf(later, 8, L"%02u:%02u", (now.wHour + 1) % 24, now.wMinute);
  TypeOver(timeEdit, later);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(timeEdit) == later; }));
  ASSERT_TRUE(PostClick(ready));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(dialog); })) << "the dialog stays";

  EXPECT_FALSE(program_->WaitForExit(std::chrono::seconds(3)).has_value()) << "the program ended";
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - " + kName));
  EXPECT_FALSE(ReadBytes(folder_.Path() / L"system.log").has_value());
}

}  // namespace
}  // namespace blackbox
