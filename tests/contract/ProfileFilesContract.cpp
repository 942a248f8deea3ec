// What the program relies on from the profile-file service, checked against each side's
// implementation: natively the program's own code, under Windows the system's profile service.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "contract/ProfileFilesHarness.h"

namespace {

using Keys = std::vector<std::string>;
using MakeHarness = std::unique_ptr<ProfileFilesHarness> (*)();

// Blank lines carry no meaning in a profile file and writers differ in where they put them.
std::string WithoutBlankLines(std::string bytes) {
  for (std::size_t at; (at = bytes.find("\r\n\r\n")) != std::string::npos;) bytes.erase(at, 2);
  if (bytes.rfind("\r\n", 0) == 0) bytes.erase(0, 2);
  return bytes;
}

class ProfileFilesContract : public ::testing::TestWithParam<MakeHarness> {
 protected:
  void SetUp() override {
    harness_ = GetParam()();
    ini_ = harness_->Name("settings.ini");
  }
  platform::ProfileFiles& Profiles() { return harness_->Profiles(); }
  std::string Bytes() { return harness_->ReadBytes("settings.ini").value_or("<no file>"); }
  void Put(const std::string& bytes) { harness_->WriteBytes("settings.ini", bytes); }

  std::unique_ptr<ProfileFilesHarness> harness_;
  std::string ini_;
};

TEST_P(ProfileFilesContract, MissingFileReadsAsNothingAndStaysMissing) {
  EXPECT_EQ(Profiles().Keys(ini_, "Main"), Keys{});
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Version"), std::nullopt);
  EXPECT_FALSE(harness_->ReadBytes("settings.ini"));
}

TEST_P(ProfileFilesContract, NewFileGetsSectionsAndKeysInWritingOrder) {
  ASSERT_TRUE(Profiles().Write(ini_, "Main", "Version", "0.90"));
  ASSERT_TRUE(Profiles().Write(ini_, "Data files", "UsersFile", "users.usr"));
  ASSERT_TRUE(Profiles().Write(ini_, "Main", "Author", "team"));
  ASSERT_TRUE(Profiles().Write(ini_, "Params", "Interval", "10"));

  EXPECT_EQ(WithoutBlankLines(Bytes()),
            "[Main]\r\nVersion=0.90\r\nAuthor=team\r\n"
            "[Data files]\r\nUsersFile=users.usr\r\n"
            "[Params]\r\nInterval=10\r\n");
  EXPECT_EQ(Profiles().Keys(ini_, "Main"), (Keys{"Version", "Author"}));
  EXPECT_EQ(Profiles().Read(ini_, "Data files", "UsersFile"), "users.usr");
}

TEST_P(ProfileFilesContract, CyrillicTextIsStoredAsWindows1251Bytes) {
  const std::string value = text::Cp(u8"Брумелка: ґ є і ї Ё №");
  const std::string section = text::Cp(u8"Розділ");
  const std::string key = text::Cp(u8"Ключ");
  ASSERT_TRUE(Profiles().Write(ini_, "Main", "Program name", value));
  ASSERT_TRUE(Profiles().Write(ini_, section, key, value));

  EXPECT_EQ(WithoutBlankLines(Bytes()), "[Main]\r\nProgram name=" + value + "\r\n[" + section +
                                            "]\r\n" + key + "=" + value + "\r\n");
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Program name"), value);
  EXPECT_EQ(Profiles().Read(ini_, section, key), value);
  EXPECT_EQ(Profiles().Keys(ini_, section), Keys{key});
}

TEST_P(ProfileFilesContract, CyrillicFileNamesWork) {
  const std::string name = harness_->Name(text::Cp(u8"налаштування.ini"));
  ASSERT_TRUE(Profiles().Write(name, "Main", "Version", "0.90"));
  EXPECT_EQ(harness_->ReadBytes(text::Cp(u8"налаштування.ini")), "[Main]\r\nVersion=0.90\r\n");
  EXPECT_EQ(Profiles().Read(name, "main", "version"), "0.90");
}

TEST_P(ProfileFilesContract, NamesMatchWithoutRegardToCase) {
  Put("[Main]\r\nProgram name=x\r\n[Params]\r\nIsMinimizeToTrayOnConnect=0\r\n");

  EXPECT_EQ(Profiles().Read(ini_, "MAIN", "program NAME"), "x");
  EXPECT_EQ(Profiles().Keys(ini_, "params"), Keys{"IsMinimizeToTrayOnConnect"});
  ASSERT_TRUE(Profiles().Write(ini_, "PARAMS", "isminimizetotrayonconnect", "1"));
  EXPECT_EQ(Profiles().Keys(ini_, "Params"), Keys{"IsMinimizeToTrayOnConnect"});
  EXPECT_EQ(Profiles().Read(ini_, "Params", "IsMinimizeToTrayOnConnect"), "1");
}

TEST_P(ProfileFilesContract, UpdateKeepsEverythingElseInItsPlace) {
  Put("; kept\r\n"
      "[Main]\r\n"
      "Version=0.80\r\n"
      "Unknown=1\r\n"
      "[Foreign]\r\n"
      "a=b\r\n"
      "[Params]\r\n"
      "TimeLogMinuteInterval=5\r\n");

  ASSERT_TRUE(Profiles().Write(ini_, "Main", "Version", "0.90"));
  ASSERT_TRUE(Profiles().Write(ini_, "Main", "Author", "team"));
  ASSERT_TRUE(Profiles().Write(ini_, "Params", "TimeLogMinuteInterval", "10"));
  ASSERT_TRUE(Profiles().Write(ini_, "Data files", "UsersFile", "users.usr"));

  EXPECT_EQ(WithoutBlankLines(Bytes()),
            "; kept\r\n"
            "[Main]\r\n"
            "Version=0.90\r\n"
            "Unknown=1\r\n"
            "Author=team\r\n"
            "[Foreign]\r\n"
            "a=b\r\n"
            "[Params]\r\n"
            "TimeLogMinuteInterval=10\r\n"
            "[Data files]\r\n"
            "UsersFile=users.usr\r\n");
}

TEST_P(ProfileFilesContract, PresentAndMissingKeysAreToldApart) {
  Put("[Main]\r\nEmpty=\r\n[Other]\r\n");

  EXPECT_EQ(Profiles().Read(ini_, "Main", "Empty"), "");
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Missing"), std::nullopt);
  EXPECT_EQ(Profiles().Read(ini_, "Nowhere", "Empty"), std::nullopt);
  EXPECT_EQ(Profiles().Keys(ini_, "Other"), Keys{});
  EXPECT_EQ(Profiles().Keys(ini_, "Nowhere"), Keys{});

  ASSERT_TRUE(Profiles().Write(ini_, "Main", "Written", ""));
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Written"), "");
}

TEST_P(ProfileFilesContract, ValuesAreReadLikeTheProfileFunctionsReadThem) {
  Put("[Main]\r\n  Spaced Key  =  two words  \r\nQuoted=\"a b\"\r\nSingle='c'\r\nEq=a=b\r\n");

  EXPECT_EQ(Profiles().Read(ini_, "Main", "Spaced Key"), "two words");
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Quoted"), "a b");
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Single"), "c");
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Eq"), "a=b");
  EXPECT_EQ(Profiles().Keys(ini_, "Main"), (Keys{"Spaced Key", "Quoted", "Single", "Eq"}));
}

TEST_P(ProfileFilesContract, LongValuesComeBackWhole) {
  const std::string value(3000, 'v');
  ASSERT_TRUE(Profiles().Write(ini_, "Main", "Long", value));
  EXPECT_EQ(Profiles().Read(ini_, "Main", "Long"), value);
  for (int i = 0; i < 60; ++i)
    ASSERT_TRUE(Profiles().Write(ini_, "Many", "key number " + std::to_string(i), "1"));
  const Keys keys = Profiles().Keys(ini_, "Many");
  ASSERT_EQ(keys.size(), 60u);
  EXPECT_EQ(keys.back(), "key number 59");
}

TEST_P(ProfileFilesContract, WritesThatCannotHappenGiveFalse) {
  EXPECT_FALSE(Profiles().Write(harness_->Name("no folder/x.ini"), "Main", "Version", "0.90"));
  EXPECT_FALSE(std::filesystem::exists(harness_->Folder() / "no folder"));

  std::filesystem::create_directory(harness_->Folder() / "dir.ini");
  EXPECT_FALSE(Profiles().Write(harness_->Name("dir.ini"), "Main", "Version", "0.90"));
  EXPECT_TRUE(std::filesystem::is_directory(harness_->Folder() / "dir.ini"));
}

TEST_P(ProfileFilesContract, BareNamesLiveInTheImplementationsFolder) {
  std::random_device seed;
  const std::string name = "brumelka-contract-" + std::to_string(seed()) + ".ini";
  const std::filesystem::path file = harness_->BareNameFolder() / name;

  const bool written = Profiles().Write(name, "Main", "Version", "0.90");
  const bool there = std::filesystem::exists(file);
  const auto read = Profiles().Read(name, "Main", "Version");
  std::error_code ignored;
  std::filesystem::remove(file, ignored);

  EXPECT_TRUE(written);
  EXPECT_TRUE(there) << file.string();
  EXPECT_EQ(read, "0.90");
}

std::string ImplementationName(const ::testing::TestParamInfo<MakeHarness>&) {
  return ProfileFilesImplementationName();
}

INSTANTIATE_TEST_SUITE_P(Platform, ProfileFilesContract,
                         ::testing::Values(&MakeProfileFilesHarness), ImplementationName);

}  // namespace
