// The users file: 94-byte record images back to back, loaded and saved by the user table.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "data/TUsers.h"
#include "platform/text/Cp1251.h"
#include "support/TempFolder.h"
#include "support/UnopenableFile.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace {

using data::TUsers;
using data::UserRecord;
using data::UsersFileError;
using testing_support::TempFolder;

// One record image; a field's length byte can be given apart from its text to fake damage.
struct Field {
  std::string text;
  int length = -1;  // -1: the text's own length
};

std::string Image(const Field& phone, const Field& login, const Field& name, const Field& password,
                  const Field& pass) {
  std::string image;
  const auto put = [&image](const Field& field, std::size_t capacity) {
    image += static_cast<char>(field.length < 0 ? field.text.size() : field.length);
    std::string area = field.text.substr(0, capacity);
    area.resize(capacity, '\0');
    image += area;
  };
  put(phone, 9);
  put(login, 20);
  put(name, 20);
  put(password, 20);
  put(pass, 20);
  return image;
}

std::string NamedImage(const std::string& name) {
  return Image({}, {}, {name}, {}, {});
}

class UsersFile : public ::testing::Test {
 protected:
  TempFolder folder_;
  TUsers users_;
};

TEST_F(UsersFile, SeededAdministratorIsWrittenAsOneRecord) {
  users_.AddUser("root", "", "", "", "");
  ASSERT_TRUE(users_.SaveToFile("users.usr"));

  std::string expected(94, '\0');
  expected[31] = 4;
  expected.replace(32, 4, "root");
  EXPECT_EQ(folder_.Read("users.usr"), expected);
}

TEST_F(UsersFile, RecordsSurviveASaveAndLoadByteForByte) {
  const std::string cyrillic = text::Cp(u8"Єва Ґудзь-Їжаченко");
  users_.AddUser(cyrillic, text::Cp(u8"пароль№1"), "123456789", "12345678901234567890", "");
  users_.AddUser("second", "p", "", "", text::Cp(u8"з'єднання"));
  ASSERT_TRUE(users_.SaveToFile("users.usr"));
  const std::string saved = folder_.Read("users.usr");
  ASSERT_EQ(saved.size(), 188u);

  TUsers loaded;
  ASSERT_TRUE(loaded.LoadFromFile("users.usr"));
  ASSERT_EQ(loaded.Count(), 2);
  for (int i = 1; i <= 2; ++i) {
    const UserRecord a = users_.GetUser(i);
    const UserRecord b = loaded.GetUser(i);
    EXPECT_EQ(a.Name.Value(), b.Name.Value());
    EXPECT_EQ(a.Pass.Value(), b.Pass.Value());
    EXPECT_EQ(a.Phone.Value(), b.Phone.Value());
    EXPECT_EQ(a.Login.Value(), b.Login.Value());
    EXPECT_EQ(a.Password.Value(), b.Password.Value());
  }
  ASSERT_TRUE(loaded.SaveToFile("again.usr"));
  EXPECT_EQ(folder_.Read("again.usr"), saved);
}

TEST_F(UsersFile, ImagesAreKeptUnchangedIncludingBytesPastTheLength) {
  std::string image = Image({"0441234", 3}, {"login"}, {"name"}, {"secret"}, {"pin"});
  image[1 + 5] = '\x7F';  // past the phone's length: no meaning, but written back as it was
  folder_.Write("users.usr", image);

  ASSERT_TRUE(users_.LoadFromFile("users.usr"));
  EXPECT_EQ(users_.GetUser(1).Phone.Value(), "044");
  ASSERT_TRUE(users_.SaveToFile("copy.usr"));
  EXPECT_EQ(folder_.Read("copy.usr"), image);
}

TEST_F(UsersFile, TrailingBytesOfAPartialRecordAreIgnored) {
  folder_.Write("users.usr", NamedImage("one") + NamedImage("two") + std::string(12, 'x'));

  EXPECT_TRUE(users_.LoadFromFile("users.usr"));
  EXPECT_EQ(users_.Count(), 2);
  EXPECT_EQ(users_.GetUser(2).Name.Value(), "two");
}

TEST_F(UsersFile, FileShorterThanOneRecordGivesAnEmptyTable) {
  users_.AddUser("old", "", "", "", "");
  folder_.Write("users.usr", NamedImage("cut").substr(0, 93));

  EXPECT_FALSE(users_.LoadFromFile("users.usr"));
  EXPECT_EQ(users_.Count(), 0);
}

TEST_F(UsersFile, MoreThanTenRecordsLoadTheFirstTen) {
  std::string bytes;
  for (int i = 1; i <= 11; ++i) bytes += NamedImage("user" + std::to_string(i));
  folder_.Write("users.usr", bytes);

  EXPECT_TRUE(users_.LoadFromFile("users.usr"));
  EXPECT_EQ(users_.Count(), 10);
  EXPECT_EQ(users_.GetUser(10).Name.Value(), "user10");
  EXPECT_EQ(users_.IndexOfUser("user11"), -1);
  users_.AddUser("more", "", "", "", "");  // the table is full
  EXPECT_EQ(users_.Count(), 10);
}

TEST_F(UsersFile, LengthBytesAboveTheCapacityStopAtTheField) {
  // Each text area is filled to the brim and followed by the next field's bytes.
  const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
  folder_.Write("users.usr",
                Image({"123456789", 200}, {twenty, 21}, {twenty, 255}, {twenty, 40}, {twenty, 21}));

  ASSERT_TRUE(users_.LoadFromFile("users.usr"));
  const UserRecord record = users_.GetUser(1);
  EXPECT_EQ(record.Phone.Value(), "123456789");
  EXPECT_EQ(record.Login.Value(), twenty);
  EXPECT_EQ(record.Name.Value(), twenty);
  EXPECT_EQ(record.Password.Value(), twenty);
  EXPECT_EQ(record.Pass.Value(), twenty);  // the last field: nothing follows it in memory
  EXPECT_EQ(users_.IndexOfUser(twenty), 1);
}

TEST_F(UsersFile, MissingFileLeavesTheTableAsItWas) {
  users_.AddUser("A", "", "", "", "");
  users_.AddUser("B", "", "", "", "");
  users_.AddUser("C", "", "", "", "");
  std::filesystem::create_directory(folder_.Path() / "folder.usr");

  EXPECT_FALSE(users_.LoadFromFile("none.usr"));
  EXPECT_FALSE(users_.LoadFromFile("folder.usr"));  // a folder is no file
  EXPECT_EQ(users_.Count(), 3);
  EXPECT_EQ(users_.GetUser(3).Name.Value(), "C");
}

TEST_F(UsersFile, EmptyTableIsSavedAsAnEmptyFileThatLoadsAsNothing) {
  ASSERT_TRUE(users_.SaveToFile("users.usr"));
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "users.usr"));
  EXPECT_EQ(folder_.Read("users.usr"), "");

  TUsers other;
  other.AddUser("old", "", "", "", "");
  EXPECT_FALSE(other.LoadFromFile("users.usr"));
  EXPECT_EQ(other.Count(), 0);
}

TEST_F(UsersFile, SaveReplacesALongerFileCompletely) {
  folder_.Write("users.usr", std::string(940, 'x'));
  users_.AddUser("only", "", "", "", "");

  ASSERT_TRUE(users_.SaveToFile("users.usr"));
  EXPECT_EQ(folder_.Read("users.usr"), NamedImage("only"));
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "users.usr.tmp"));
}

TEST_F(UsersFile, CyrillicFileNamesReachTheFileSystem) {
  const std::string name = text::Cp(u8"користувачі.usr");
  users_.AddUser("A", "", "", "", "");
  ASSERT_TRUE(users_.SaveToFile(name));
  EXPECT_TRUE(std::filesystem::exists(folder_.Path() / std::filesystem::path(u8"користувачі.usr")));

  TUsers loaded;
  EXPECT_TRUE(loaded.LoadFromFile(name));
  EXPECT_EQ(loaded.GetUser(1).Name.Value(), "A");
}

TEST_F(UsersFile, FileThatCannotBeOpenedThrowsAndLeavesTheTableEmpty) {
  const testing_support::UnopenableFile unopenable(folder_.Path());
  if (!unopenable.Path()) GTEST_SKIP() << "no file here that exists but can't be opened";
  users_.AddUser("A", "", "", "", "");

  try {
    users_.LoadFromFile(*unopenable.Path());
    FAIL() << "no error raised";
  } catch (const UsersFileError& error) {
    EXPECT_NE(std::string(error.what()).find(*unopenable.Path()), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(users_.Count(), 0);
}

TEST_F(UsersFile, SaveWhereNoFileCanBeCreatedThrowsAndKeepsTheTable) {
  users_.AddUser("A", "", "", "", "");
  std::filesystem::create_directory(folder_.Path() / "taken.usr");

  EXPECT_THROW(users_.SaveToFile("no such folder/users.usr"), UsersFileError);
  EXPECT_THROW(users_.SaveToFile("taken.usr"), UsersFileError);

  EXPECT_EQ(users_.Count(), 1);
  EXPECT_TRUE(std::filesystem::is_directory(folder_.Path() / "taken.usr"));
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "no such folder"));
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "taken.usr.tmp"));
}

#ifndef _WIN32
// Lowers the file size limit, so that writes past it fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};
#endif

TEST_F(UsersFile, FailedWriteGivesFalseAndKeepsTheOldFile) {
#ifdef _WIN32
  GTEST_SKIP() << "needs a file size limit to make writes fail";
#else
  users_.AddUser("old1", "", "", "", "");
  users_.AddUser("old2", "", "", "", "");
  ASSERT_TRUE(users_.SaveToFile("users.usr"));
  const std::string before = folder_.Read("users.usr");
  users_.AddUser("new", "", "", "", "");

  bool saved = true;
  {
    const FileSizeLimit limit(100);
    saved = users_.SaveToFile("users.usr");
  }

  EXPECT_FALSE(saved);
  EXPECT_EQ(folder_.Read("users.usr"), before);
  EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "users.usr.tmp"));
  EXPECT_EQ(users_.Count(), 3);
#endif
}

}  // namespace
