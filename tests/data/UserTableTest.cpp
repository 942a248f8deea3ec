// The user table in memory: storing, cutting, finding and deleting records.

#include <gtest/gtest.h>

#include <string>

#include "data/TUsers.h"
#include "platform/text/Cp1251.h"

namespace {

using data::TUsers;
using data::UserRecord;

void ExpectEmpty(const UserRecord& record) {
  EXPECT_EQ(record.Name.Value(), "");
  EXPECT_EQ(record.Pass.Value(), "");
  EXPECT_EQ(record.Phone.Value(), "");
  EXPECT_EQ(record.Login.Value(), "");
  EXPECT_EQ(record.Password.Value(), "");
}

std::string Names(const TUsers& users) {
  std::string names;
  for (int i = 1; i <= users.Count(); ++i) names += users.GetUser(i).Name.Value() + ";";
  return names;
}

TEST(UserTable, StartsEmpty) {
  TUsers users;
  EXPECT_EQ(users.Count(), 0);
  EXPECT_EQ(users.IndexOfUser(""), -1);
  ExpectEmpty(users.FindUser(""));
}

TEST(UserTable, AddUserPutsEachArgumentIntoItsField) {
  TUsers users;
  users.AddUser("name", "pass", "phone", "login", "password");
  const UserRecord record = users.GetUser(1);
  EXPECT_EQ(users.Count(), 1);
  EXPECT_EQ(record.Name.Value(), "name");
  EXPECT_EQ(record.Pass.Value(), "pass");
  EXPECT_EQ(record.Phone.Value(), "phone");
  EXPECT_EQ(record.Login.Value(), "login");
  EXPECT_EQ(record.Password.Value(), "password");
}

TEST(UserTable, LongValuesKeepTheirFirstBytes) {
  TUsers users;
  const std::string name25 = text::Cp(u8"Олександра-Ярославна Коць");
  ASSERT_EQ(name25.size(), 25u);
  const std::string long21 = "123456789012345678901";
  users.AddUser(name25, long21, "380441234567", long21, long21);

  const UserRecord record = users.GetUser(1);
  EXPECT_EQ(record.Name.Value(), name25.substr(0, 20));
  EXPECT_EQ(record.Phone.Value(), "380441234");
  EXPECT_EQ(record.Pass.Value(), long21.substr(0, 20));
  EXPECT_EQ(record.Login.Value(), long21.substr(0, 20));
  EXPECT_EQ(record.Password.Value(), long21.substr(0, 20));

  // The full name is no longer in the table, so a second record with it can be added.
  EXPECT_EQ(users.IndexOfUser(name25), -1);
  EXPECT_EQ(users.IndexOfUser(name25.substr(0, 20)), 1);
  users.AddUser(name25, "", "", "", "");
  EXPECT_EQ(users.Count(), 2);
}

TEST(UserTable, FullTableIgnoresFurtherUsers) {
  TUsers users;
  for (int i = 0; i < TUsers::MaxUsers; ++i) users.AddUser(std::to_string(i), "", "", "", "");
  const std::string before = Names(users);

  users.AddUser("eleventh", "p", "1", "l", "w");

  EXPECT_EQ(users.Count(), 10);
  EXPECT_EQ(Names(users), before);
  EXPECT_EQ(users.IndexOfUser("eleventh"), -1);
}

TEST(UserTable, DeleteMovesTheFollowingRecordsDown) {
  TUsers users;
  users.AddUser("A", "pa", "1", "la", "wa");
  users.AddUser("B", "pb", "2", "", "wb");  // an empty field other than Name doesn't stop it
  users.AddUser("C", "pc", "3", "lc", "wc");

  users.DeleteUser(1);

  EXPECT_EQ(users.Count(), 2);
  EXPECT_EQ(Names(users), "B;C;");
  const UserRecord b = users.GetUser(1);
  EXPECT_EQ(b.Pass.Value(), "pb");
  EXPECT_EQ(b.Phone.Value(), "2");
  EXPECT_EQ(b.Login.Value(), "");
  EXPECT_EQ(b.Password.Value(), "wb");
  EXPECT_EQ(users.GetUser(2).Login.Value(), "lc");
}

TEST(UserTable, SeededAdministratorMovesDownLikeAnyRecord) {
  TUsers users;
  users.AddUser("first", "p", "1", "l", "w");
  users.AddUser("root", "", "", "", "");
  users.AddUser("last", "p", "2", "l", "w");

  users.DeleteUser(1);

  EXPECT_EQ(Names(users), "root;last;");
  const UserRecord root = users.GetUser(1);
  EXPECT_EQ(root.Pass.Value(), "");
  EXPECT_EQ(root.Phone.Value(), "");
  EXPECT_EQ(root.Login.Value(), "");
  EXPECT_EQ(root.Password.Value(), "");
  EXPECT_EQ(users.GetUser(2).Phone.Value(), "2");
}

TEST(UserTable, DeletingTheLastRecordMovesNothing) {
  TUsers users;
  users.AddUser("A", "", "", "", "");
  users.AddUser("B", "", "", "", "");
  users.AddUser("C", "", "", "", "");

  users.DeleteUser(3);

  EXPECT_EQ(users.Count(), 2);
  EXPECT_EQ(Names(users), "A;B;");
  EXPECT_EQ(users.IndexOfUser("C"), -1);
}

TEST(UserTable, DeleteIgnoresEmptyNamesAndSlotsOutsideTheTable) {
  TUsers users;
  users.AddUser("A", "", "", "", "");
  users.AddUser("", "pass", "1", "", "");
  users.AddUser("C", "", "", "", "");

  for (const int index : {2, 0, -1, 4, 10, 11}) users.DeleteUser(index);

  EXPECT_EQ(users.Count(), 3);
  EXPECT_EQ(Names(users), "A;;C;");
  EXPECT_EQ(users.GetUser(2).Pass.Value(), "pass");
}

TEST(UserTable, LookupsAreExactAndFindTheFirstMatch) {
  TUsers users;
  users.AddUser("root", "secret", "", "", "");
  users.AddUser("Root", "other", "", "", "");
  users.AddUser("root", "second", "", "", "");

  EXPECT_EQ(users.FindUser("root").Pass.Value(), "secret");
  EXPECT_EQ(users.IndexOfUser("root"), 1);
  EXPECT_EQ(users.IndexOfUser("Root"), 2);
  EXPECT_EQ(users.IndexOfUser("ROOT"), -1);
  EXPECT_EQ(users.IndexOfUser("root "), -1);
  EXPECT_EQ(users.IndexOfUser("roo"), -1);
  ExpectEmpty(users.FindUser("ROOT"));
}

TEST(UserTable, CyrillicNamesCompareByBytes) {
  TUsers users;
  users.AddUser(text::Cp(u8"Іван"), "", "", "", "");
  EXPECT_EQ(users.IndexOfUser(text::Cp(u8"Іван")), 1);
  EXPECT_EQ(users.IndexOfUser(text::Cp(u8"іван")), -1);
}

TEST(UserTable, GetUserOutsideTheTableGivesAnEmptyRecord) {
  TUsers users;
  users.AddUser("A", "pa", "1", "la", "wa");
  users.AddUser("B", "pb", "2", "lb", "wb");
  users.AddUser("C", "pc", "3", "lc", "wc");
  users.DeleteUser(1);  // slot 3 still holds a leftover of C

  for (const int index : {-1, 0, 3, 10, 11}) {
    SCOPED_TRACE(index);
    ExpectEmpty(users.GetUser(index));
  }
}

TEST(UserTable, ClearEmptiesTheTable) {
  TUsers users;
  users.AddUser("A", "", "", "", "");
  users.AddUser("B", "", "", "", "");

  users.ClearUsers();

  EXPECT_EQ(users.Count(), 0);
  EXPECT_EQ(users.IndexOfUser("A"), -1);
  users.AddUser("C", "", "", "", "");
  EXPECT_EQ(Names(users), "C;");
}

}  // namespace
