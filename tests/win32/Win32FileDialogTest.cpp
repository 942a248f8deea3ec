// The open and save dialogs: the name typed comes back in Windows-1251, and picking a file
// moves the current directory to its folder.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "contract/ToolkitHarness.h"
#include "platform/text/Cp1251.h"
#include "platform/ui/Dialogs.h"
#include "platform/win32/Win32Text.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::ClassOf;

// Types a name into the file dialog the UI thread opens and presses OK, as a user would. A
// timer of the thread looks for the dialog from inside the dialog's own message loop.
class FileDialogUser {
 public:
  explicit FileDialogUser(std::wstring typed) : typed_(std::move(typed)) {
    user_ = this;
    timer_ = ::SetTimer(nullptr, 0, 50, Tick);
  }
  ~FileDialogUser() {
    ::KillTimer(nullptr, timer_);
    user_ = nullptr;
  }
  bool Typed() const { return done_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (user_ != nullptr && !user_->done_)
      ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, 0);
  }

  static BOOL CALLBACK FindNameField(HWND child, LPARAM found) {
    if (ClassOf(child) != L"Edit" || !::IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
  }

  static BOOL CALLBACK FindDialog(HWND window, LPARAM) {
    if (ClassOf(window) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    HWND nameField = nullptr;
    ::EnumChildWindows(window, FindNameField, reinterpret_cast<LPARAM>(&nameField));
    if (nameField == nullptr) return TRUE;
    ::SetWindowTextW(nameField, user_->typed_.c_str());
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDOK)));
    user_->done_ = true;
    return FALSE;
  }

  static inline FileDialogUser* user_ = nullptr;
  std::wstring typed_;
  UINT_PTR timer_ = 0;
  bool done_ = false;
};

class Win32FileDialog : public ::testing::Test {
 protected:
  Win32FileDialog() {
    std::random_device seed;
    folder_ =
        std::filesystem::temp_directory_path() / (L"brumelka-тека-" + std::to_wstring(seed()));
    std::filesystem::create_directories(folder_);
    start_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    ui::FormOptions options;
    options.clientSize = {395, 351};
    form_ = std::make_unique<ui::Form>(harness_->Backend(), options);
    form_->Show();
  }
  ~Win32FileDialog() override {
    std::error_code ignored;
    std::filesystem::current_path(start_, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

  std::filesystem::path CurrentFolder() const { return std::filesystem::current_path(); }
  static bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ignored;
    return std::filesystem::equivalent(a, b, ignored);
  }

  std::unique_ptr<ToolkitHarness> harness_ = MakeToolkitHarness();
  std::filesystem::path folder_;
  std::filesystem::path start_;
  std::unique_ptr<ui::Form> form_;
};

TEST_F(Win32FileDialog, OpeningAFileGivesItsNameAndMovesTheCurrentDirectoryThere) {
  const std::filesystem::path file = folder_ / L"користувачі.usr";
  std::ofstream(file) << "x";
  ASSERT_FALSE(SameFolder(CurrentFolder(), folder_));

  ui::FileDialog dialog(*form_, ui::FileDialogKind::Open);
  FileDialogUser user(file.wstring());
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(user.Typed());
  EXPECT_EQ(dialog.FileName(), win32::Narrow(file.wstring()));
  EXPECT_NE(dialog.FileName().find(Cp(u8"користувачі.usr")), std::string::npos);
  EXPECT_TRUE(SameFolder(CurrentFolder(), folder_));
}

TEST_F(Win32FileDialog, SavingUnderANewNameMovesTheCurrentDirectoryToo) {
  const std::filesystem::path file = folder_ / L"настройки.ini";
  ui::FileDialog dialog(*form_, ui::FileDialogKind::Save);
  dialog.SetFileName(Cp(u8"brumelka.ini"));
  FileDialogUser user(file.wstring());
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), win32::Narrow(file.wstring()));
  EXPECT_TRUE(SameFolder(CurrentFolder(), folder_));
  EXPECT_FALSE(std::filesystem::exists(file)) << "the dialog only names the file";
}

}  // namespace
