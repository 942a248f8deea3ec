#pragma once
// What the profile-file contract needs from each side: the implementation under test and a
// scratch folder to work in. Each test program links exactly one definition.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "platform/ProfileFiles.h"
#include "platform/text/Cp1251.h"

class ProfileFilesHarness {
 public:
  virtual ~ProfileFilesHarness() = default;

  virtual platform::ProfileFiles& Profiles() = 0;
  // A fresh, empty folder, removed with the harness.
  virtual std::filesystem::path Folder() const = 0;
  // Where the implementation keeps files named without a directory.
  virtual std::filesystem::path BareNameFolder() const = 0;

  // The Windows-1251 full name of a file in Folder().
  std::string Name(const std::string& fileCp1251) const {
    const std::u8string folder = Folder().u8string();
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
    return text::Utf8ToCp1251(std::string(folder.begin(), folder.end())) + separator + fileCp1251;
  }
  std::optional<std::string> ReadBytes(const std::string& fileCp1251) const {
    std::ifstream in(Path(fileCp1251), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void WriteBytes(const std::string& fileCp1251, const std::string& bytes) const {
    std::ofstream out(Path(fileCp1251), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::filesystem::path Path(const std::string& fileCp1251) const {
    const std::string utf8 = text::Cp1251ToUtf8(fileCp1251);
    return Folder() / std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
  }
};

std::unique_ptr<ProfileFilesHarness> MakeProfileFilesHarness();
// Names the implementation in the test names.
const char* ProfileFilesImplementationName();
