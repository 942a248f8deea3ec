// Plain files named in Windows-1251, on whichever system the tests run.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "platform/text/Cp1251.h"
#include "support/TempFolder.h"

namespace {

using testing_support::TempFolder;

bool WriteText(const std::string& nameCp1251, const char* bytes) {
  std::FILE* file = platform::OpenFile(nameCp1251, "wb");
  if (file == nullptr) return false;
  std::fputs(bytes, file);
  return std::fclose(file) == 0;
}

TEST(Files, CyrillicNamesAreTheFileSystemsNames) {
  const TempFolder folder;
  ASSERT_TRUE(WriteText(text::Cp(u8"Журнал з'єднань.log"), "abc"));
  EXPECT_EQ(folder.Read(std::filesystem::path(u8"Журнал з'єднань.log")), "abc");
  EXPECT_TRUE(platform::FileExists(text::Cp(u8"Журнал з'єднань.log")));
  EXPECT_FALSE(platform::FileExists(text::Cp(u8"журнал з'єднань.lo")));
}

TEST(Files, FoldersAreNoFiles) {
  const TempFolder folder;
  std::filesystem::create_directory(folder.Path() / "sub");
  EXPECT_FALSE(platform::FileExists("sub"));
  EXPECT_FALSE(platform::FileExists("none"));
  EXPECT_FALSE(platform::RemoveFile("sub"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "sub"));
}

TEST(Files, ReplaceMovesTheSourceOverTheTarget) {
  const TempFolder folder;
  ASSERT_TRUE(WriteText("old", "old bytes"));
  ASSERT_TRUE(WriteText("new", "new"));

  ASSERT_TRUE(platform::MoveReplacing("new", "old"));
  EXPECT_EQ(folder.Read("old"), "new");
  EXPECT_FALSE(platform::FileExists("new"));

  ASSERT_TRUE(WriteText("third", "3"));
  ASSERT_TRUE(platform::MoveReplacing("third", "fresh"));  // no target yet
  EXPECT_EQ(folder.Read("fresh"), "3");
  EXPECT_FALSE(platform::MoveReplacing("vanished", "fresh"));
  EXPECT_EQ(folder.Read("fresh"), "3");
}

TEST(Files, RemoveDeletesOnlyExistingFiles) {
  const TempFolder folder;
  ASSERT_TRUE(WriteText(text::Cp(u8"тимчасовий"), "x"));
  EXPECT_TRUE(platform::RemoveFile(text::Cp(u8"тимчасовий")));
  EXPECT_FALSE(platform::FileExists(text::Cp(u8"тимчасовий")));
  EXPECT_FALSE(platform::RemoveFile(text::Cp(u8"тимчасовий")));
}

}  // namespace
