// Full file names as the settings dialog shows them: relative names taken against the current
// directory with "." and ".." worked out, in the system's own separators, Cyrillic kept. The
// same cases run natively and under Windows, each against its own implementation.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "platform/text/Cp1251.h"
#include "support/TempFolder.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string CurrentFolderCp1251() {
  const std::filesystem::path folder = std::filesystem::current_path();
#ifdef _WIN32
  const std::wstring wide = folder.wstring();
  return text::Utf16ToCp1251(std::u16string(wide.begin(), wide.end()));
#else
  return text::Utf8ToCp1251(folder.string());
#endif
}

TEST(FullFileName, RelativeNamesAreTakenAgainstTheCurrentFolder) {
  testing_support::TempFolder folder;
  const std::string here = CurrentFolderCp1251();
  EXPECT_EQ(platform::FullFileName("users.usr"), here + kSeparator + "users.usr");
  EXPECT_EQ(platform::FullFileName("./logs/./connects.log"),
            here + kSeparator + "logs" + kSeparator + "connects.log");
}

TEST(FullFileName, DotDotStepsUpAndCyrillicNamesSurvive) {
  testing_support::TempFolder folder;
  const std::string here = CurrentFolderCp1251();
  const std::string journal = text::Utf8ToCp1251("Журнал.log");
  EXPECT_EQ(platform::FullFileName("logs/../" + journal), here + kSeparator + journal);
  const std::string parent = here.substr(0, here.find_last_of(kSeparator));
  EXPECT_EQ(platform::FullFileName("../" + journal), parent + kSeparator + journal);
}

TEST(FullFileName, AbsoluteNamesStayAsTheyAre) {
#ifdef _WIN32
  const std::string name = "C:\\Windows\\brumelka.ini";
#else
  const std::string name = "/etc/brumelka.ini";
#endif
  EXPECT_EQ(platform::FullFileName(name), name);
}

}  // namespace
