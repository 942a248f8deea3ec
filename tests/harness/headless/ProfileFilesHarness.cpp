// The program's own profile-file code, working in a temporary folder.

#include "contract/ProfileFilesHarness.h"

#include <random>

#include "platform/native/IniProfileFiles.h"

namespace {

std::filesystem::path FreshFolder() {
  std::random_device seed;
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("brumelka-ini-" + std::to_string(seed()) + std::to_string(seed()));
  std::filesystem::create_directories(folder);
  return folder;
}

class HeadlessHarness : public ProfileFilesHarness {
 public:
  HeadlessHarness() : folder_(FreshFolder()), bareNames_(folder_ / "own"), profiles_(bareNames_) {
    std::filesystem::create_directory(bareNames_);
  }
  ~HeadlessHarness() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  platform::ProfileFiles& Profiles() override { return profiles_; }
  std::filesystem::path Folder() const override { return folder_; }
  std::filesystem::path BareNameFolder() const override { return bareNames_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path bareNames_;
  platform::IniProfileFiles profiles_;
};

}  // namespace

std::unique_ptr<ProfileFilesHarness> MakeProfileFilesHarness() {
  return std::make_unique<HeadlessHarness>();
}

const char* ProfileFilesImplementationName() {
  return "OwnIni";
}
