// A second start of the program brings the running copy's window back and ends at once.

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

class SecondCopyTest : public BlackBoxTest {
 protected:
  // Starts a second copy in the same folder; expects it to end with exit code 0, leave the
  // folder and the settings file alone, and the first copy's window shown, restored and
  // the only one of its class.
  void StartSecondCopyAndExpectTheFirstBack() {
    const std::vector<std::wstring> filesBefore = folder_.FileNames();
    const std::optional<std::string> settingsBefore = ReadBytes(SettingsFile());
    ASSERT_TRUE(settingsBefore);
    WIN32_FILE_ATTRIBUTE_DATA attributesBefore{};
    ASSERT_TRUE(
        ::GetFileAttributesExW(SettingsFile().c_str(), GetFileExInfoStandard, &attributesBefore));

    const std::unique_ptr<Program> second = Program::Start(folder_.Path());
    ASSERT_TRUE(second);
    const std::optional<DWORD> exitCode = second->WaitForExit();
    ASSERT_TRUE(exitCode) << "the second copy is still running";
    EXPECT_EQ(*exitCode, 0u);

    EXPECT_TRUE(WaitUntil([this] { return ::IsWindowVisible(window_) && !::IsIconic(window_); }))
        << "visible " << ::IsWindowVisible(window_) << ", minimised " << ::IsIconic(window_);
    EXPECT_TRUE(WaitUntil([this] { return ::GetForegroundWindow() == window_; }))
        << "the first copy's window is not in front";
    const std::vector<HWND> windows = TopLevelWindowsOfClass(kMainWindowClass);
    EXPECT_EQ(windows, std::vector<HWND>{window_});
    EXPECT_TRUE(program_->Running());

    EXPECT_EQ(folder_.FileNames(), filesBefore);
    EXPECT_EQ(ReadBytes(SettingsFile()), settingsBefore);
    WIN32_FILE_ATTRIBUTE_DATA attributesAfter{};
    ASSERT_TRUE(
        ::GetFileAttributesExW(SettingsFile().c_str(), GetFileExInfoStandard, &attributesAfter));
    EXPECT_EQ(
        ::CompareFileTime(&attributesBefore.ftLastWriteTime, &attributesAfter.ftLastWriteTime), 0)
        << "the settings file was written";
  }
};

TEST_F(SecondCopyTest, ShowsTheHiddenFirstCopyAndExitsWithZero) {
  WriteUsers({{"Anna", "a", "", "", ""}});
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ::ShowWindow(window_, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([this] { return ::IsIconic(window_) || !::IsWindowVisible(window_); }));
  ::ShowWindow(window_, SW_HIDE);
  ASSERT_TRUE(WaitUntil([this] { return !::IsWindowVisible(window_); }));

  StartSecondCopyAndExpectTheFirstBack();
}

TEST_F(SecondCopyTest, RestoresTheMinimisedFirstCopy) {
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ::ShowWindow(window_, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([this] { return ::IsIconic(window_) || !::IsWindowVisible(window_); }));

  StartSecondCopyAndExpectTheFirstBack();
  // The first copy goes on as it was: root, seeded at its start, is still logged in.
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - root"));
}

}  // namespace
}  // namespace blackbox
