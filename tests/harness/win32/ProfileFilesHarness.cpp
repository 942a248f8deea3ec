// The Windows profile files, working in a temporary folder; bare names go to the Windows
// directory as they do for the program.

#include "contract/ProfileFilesHarness.h"

#include <windows.h>

#include <random>

#include "platform/win32/Win32ProfileFiles.h"

namespace {

std::filesystem::path FreshFolder() {
  std::random_device seed;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("brumelka-ini-" + std::to_string(seed()) + std::to_string(seed()));
  std::filesystem::create_directories(folder);
  return folder;
}

class Win32Harness : public ProfileFilesHarness {
 public:
  ~Win32Harness() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  platform::ProfileFiles& Profiles() override { return profiles_; }
  std::filesystem::path Folder() const override { return folder_; }
  std::filesystem::path BareNameFolder() const override {
    wchar_t folder[MAX_PATH + 1] = {};
    return std::filesystem::path(std::wstring(folder, ::GetWindowsDirectoryW(folder, MAX_PATH)));
  }

 private:
  std::filesystem::path folder_ = FreshFolder();
  platform::Win32ProfileFiles profiles_;
};

}  // namespace

std::unique_ptr<ProfileFilesHarness> MakeProfileFilesHarness() {
  return std::make_unique<Win32Harness>();
}

// The profile functions keep 1251 bytes only under that code page; elsewhere our own code runs.
const char* ProfileFilesImplementationName() {
  return ::GetACP() == 1251 ? "Win32ProfileApi" : "Win32OwnIni";
}
