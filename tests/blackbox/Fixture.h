#pragma once
// One test: a fresh working folder, no settings file in the Windows directory, no running
// copy of the program, and at the end no copy left running.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "blackbox/Driver.h"

namespace blackbox {

// The main window's controls, by kind and top-left corner in client pixels.
struct Place {
  const wchar_t* className;
  int left;
  int top;
};
inline constexpr Place kPhoneEdit{L"Edit", 176, 36};
inline constexpr Place kLoginEdit{L"Edit", 176, 80};
inline constexpr Place kPasswordEdit{L"Edit", 176, 122};
inline constexpr Place kPassEdit{L"Edit", 176, 170};
inline constexpr Place kConnectButton{L"Button", 12, 208};
inline constexpr Place kStatusLine{L"Static", 12, 280};
inline constexpr Place kBackButton{L"Button", 8, 307};
inline constexpr Place kNextButton{L"Button", 368, 307};

inline const std::wstring kTitle = L"Брумелка 0.90";

class BlackBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(TopLevelWindowsOfClass(kMainWindowClass).empty())
        << "a window of class Velir_caller_Ident exists before the test: another copy of "
           "brumelka.exe runs in this Wine prefix";
    std::error_code ignored;
    std::filesystem::remove(SettingsFile(), ignored);
    ASSERT_FALSE(std::filesystem::exists(SettingsFile()))
        << "could not remove " << SettingsFile().string();
  }

  void TearDown() override {
    if (program_) program_->Stop();
    program_.reset();
    EXPECT_TRUE(WaitUntil([] { return TopLevelWindowsOfClass(kMainWindowClass).empty(); }))
        << "a main window outlived the test";
  }

  void WriteUsers(const std::vector<UserFields>& users) {
    folder_.Write(L"users.usr", UsersFileBytes(users));
  }

  // Starts the program in the test's folder, with `environment` added to the test's own, and
  // waits until its main window is shown, which happens after the whole start-up sequence.
  void StartProgram(const Environment& environment = {}) {
    program_ = Program::Start(folder_.Path(), environment);
    ASSERT_TRUE(program_) << "brumelka.exe did not start";
    window_ = program_->WaitForMainWindow();
    ASSERT_NE(window_, nullptr) << "no visible main window of class Velir_caller_Ident";
  }

  HWND Control(const Place& place) const {
    return ChildAt(window_, place.className, place.left, place.top);
  }

  // The control at `place`; fails the test, listing what is there, when it is missing.
  HWND RequireControl(const Place& place) const {
    HWND control = Control(place);
    EXPECT_NE(control, nullptr) << "no " << Utf8(place.className) << " at " << place.left << ","
                                << place.top << "; the main window holds:\n"
                                << DescribeChildren(window_);
    return control;
  }

  // The one user button with this caption: a BUTTON child of the main window.
  HWND UserButton(const std::wstring& name) const {
    const std::vector<HWND> found = ChildrenWithText(window_, L"Button", name);
    EXPECT_EQ(found.size(), 1u) << "buttons captioned \"" << Utf8(name)
                                << "\"; the main window holds:\n"
                                << DescribeChildren(window_);
    return found.size() == 1 ? found.front() : nullptr;
  }

  std::wstring Caption() const {
    // The caption of a top-level window is kept by the system, so this reads it directly.
    wchar_t text[256] = {};
    const int length = ::GetWindowTextW(window_, text, 256);
    return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
  }

  TempFolder folder_;
  std::unique_ptr<Program> program_;
  HWND window_ = nullptr;
};

}  // namespace blackbox
