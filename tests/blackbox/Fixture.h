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
// The link that opens the main menu.
inline constexpr Place kMenuLabel{L"Static", 352, 285};

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
    std::error_code ignored;
    std::filesystem::remove(SettingsFile(), ignored);
  }

  // A settings file in the Windows directory with the users in users.usr and the log in
  // connects.log in the working folder, logging every ten minutes, and these tray options.
  void WriteSettings(bool minimizeToTrayOnConnect, bool showInTrayOnStartup) {
    const std::wstring text =
        L"[Main]\r\nProgram name=Брумелка\r\n[Data files]\r\nUsersFile=users.usr\r\n"
        L"LogFileName=connects.log\r\n[Params]\r\nIsMinimizeToTrayOnConnect=" +
        std::to_wstring(minimizeToTrayOnConnect ? 1 : 0) + L"\r\nIsShowInTrayOnStartup=" +
        std::to_wstring(showInTrayOnStartup ? 1 : 0) + L"\r\nTimeLogMinuteInterval=10\r\n";
    ASSERT_TRUE(WriteBytes(SettingsFile(), ToCp1251(text)))
        << "could not write " << SettingsFile().string();
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

  std::wstring Caption() const { return CaptionOf(window_); }

  // Logs the user in as a person does: his button, then his password typed into the focused
  // user password field and confirmed with Enter. A user without a password is let in by
  // his button alone.
  void LogIn(const std::wstring& name, const std::wstring& pass) {
    HWND button = UserButton(name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(Click(button));
    if (!pass.empty()) {
      HWND passEdit = RequireControl(kPassEdit);
      ASSERT_NE(passEdit, nullptr);
      ASSERT_TRUE(WaitUntil([&] { return FocusInThreadOf(window_) == passEdit; }))
          << "the focus is not in the user password field";
      TypeChars(passEdit, pass);
      PressEnter(passEdit);
    }
    ASSERT_TRUE(WaitUntil([&] { return Caption() == kTitle + L" - " + name; }))
        << "not logged in; caption: " << Utf8(Caption());
  }

  // The message boxes that the program shows.
  std::vector<HWND> Boxes() const { return VisibleWindowsOf(program_->Id(), L"#32770"); }

  // The one box of the program, waited for; null when none came or more than one.
  HWND WaitForBox() const {
    HWND box = nullptr;
    WaitUntil([&] {
      const std::vector<HWND> boxes = Boxes();
      box = boxes.size() == 1 ? boxes.front() : nullptr;
      return box != nullptr;
    });
    return box;
  }

  // The dialog's control of that class at that place, with what the dialog holds when it is
  // not there.
  HWND DialogControl(HWND dialog, const Place& place) const {
    HWND control = ChildAt(dialog, place.className, place.left, place.top);
    EXPECT_NE(control, nullptr) << "no " << Utf8(place.className) << " at " << place.left << ","
                                << place.top << "; the dialog holds:\n"
                                << DescribeChildren(dialog);
    return control;
  }

  bool MenuOpen() const { return !VisibleWindowsOf(program_->Id(), L"#32768").empty(); }

  // Opens a menu with `open`, goes to an item with `keys` and presses Enter on it, as from the
  // keyboard into the open menu. Right after a dialog went, Wine may close a new menu by itself
  // once the activation settles; a menu gone before the keys would make any item look refused,
  // so only a menu still open after the program answered a message gets them.
  void Choose(const std::function<void()>& open, const std::vector<UINT>& keys) {
    bool stayedOpen = false;
    for (int attempt = 0; attempt < 3 && !stayedOpen; ++attempt) {
      open();
      if (!WaitUntil([this] { return MenuOpen(); }, kPaintTimeout)) continue;
      DWORD_PTR ignored = 0;
      ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
      stayedOpen = MenuOpen();
    }
    ASSERT_TRUE(stayedOpen) << "no menu stayed open";
    for (UINT key : keys) PressKey(window_, key);
    PressEnter(window_);
    // Enter on a disabled item may leave the menu open.
    if (!WaitUntil([this] { return !MenuOpen(); }, kPaintTimeout)) PressKey(window_, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([this] { return !MenuOpen(); })) << "the menu is still open";
  }

  // Opens the main menu with a click on its link, goes through it with the arrow keys of
  // `keys` (Down to the next item, Right into a submenu) and presses Enter on the item
  // reached, all as from the keyboard into the open menu.
  void ChooseFromMainMenu(const std::vector<UINT>& keys) {
    HWND link = RequireControl(kMenuLabel);
    ASSERT_NE(link, nullptr);
    const auto menuOpen = [this] { return !VisibleWindowsOf(program_->Id(), L"#32768").empty(); };
    ASSERT_TRUE(PostMouseClick(link));
    ASSERT_TRUE(WaitUntil(menuOpen)) << "a click on the menu link opened no menu";
    for (UINT key : keys) PressKey(window_, key);
    PressEnter(window_);
    ASSERT_TRUE(WaitUntil([&] { return !menuOpen(); })) << "the menu is still open";
  }

  // The program's visible top-level window with this caption, waited for; null when none
  // came.
  HWND WaitForWindow(const std::wstring& caption) const {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND window : VisibleWindowsOf(program_->Id()))
        if (CaptionOf(window) == caption) found = window;
      return found != nullptr;
    });
    return found;
  }

  TempFolder folder_;
  std::unique_ptr<Program> program_;
  HWND window_ = nullptr;
};

}  // namespace blackbox
