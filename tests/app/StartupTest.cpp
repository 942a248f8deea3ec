// Start-up: the shared objects, the settings file, the users file or the seeded "root".

#include <filesystem>

#include "tests/app/MainWindowFixture.h"
#include "tests/support/UnopenableFile.h"

using text::Cp;

TEST_F(MainWindowTest, FirstStartWritesSettingsAndSeedsRootWithoutWritingUsers) {
  Start();

  const std::string ini = testing_support::ReadFile(windowsFolder / "brumelka.ini");
  EXPECT_NE(ini.find("[Main]\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("UsersFile=users.usr\r\n"), std::string::npos) << ini;
  ASSERT_EQ(form->Users->Count(), 1);
  EXPECT_EQ(form->Users->GetUser(1).Name.Value(), "root");
  EXPECT_EQ(form->Users->GetUser(1).Pass.Value(), "");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "users.usr"));
  EXPECT_FALSE(ErrorReported());
}

TEST_F(MainWindowTest, StartWithUsersLoadsThemAndLeavesEverybodyOut) {
  WriteUsers({{"anna", "a1", "5550001", "anna-l", "anna-p"}, {"bohdan", "", "", "", ""}});
  Start();

  ASSERT_EQ(form->Users->Count(), 2);
  EXPECT_EQ(form->Users->GetUser(2).Name.Value(), "bohdan");
  EXPECT_EQ(form->Users->IndexOfUser("root"), -1);
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  EXPECT_EQ(backend.ApplicationTitle(), Cp("Брумелка 0.90"));
  EXPECT_EQ(form->Label1.Text(),
            Cp("Слід ввести свої особисті дані для того, щоб увійти в мережу."));
  for (ui::MenuItem* item :
       {form->TurnOffItem, form->UsersItem, form->LoadUsersItem, form->ClearUsersItem,
        form->SetupItem, form->OpenSetupItem, form->SaveSetupItem})
    EXPECT_FALSE(item->Enabled()) << item->Caption();
}

TEST_F(MainWindowTest, SettingsNameTheUsersFileToLoad) {
  profiles.Write("brumelka.ini", "Main", "Version", "0.90");
  profiles.Write("brumelka.ini", "Data files", "UsersFile", "other.usr");
  folder.Write("other.usr", UsersFileBytes({{"olena", "", "", "", ""}}));
  Start();

  ASSERT_EQ(form->Users->Count(), 1);
  EXPECT_EQ(form->Users->GetUser(1).Name.Value(), "olena");
}

TEST_F(MainWindowTest, UsersFileThatCannotBeOpenedIsReportedAndNothingIsSeeded) {
  testing_support::UnopenableFile locked(folder.Path());
  if (!locked.Path()) GTEST_SKIP() << "no file here can be made unreadable";
  profiles.Write("brumelka.ini", "Main", "Version", "0.90");
  profiles.Write("brumelka.ini", "Data files", "UsersFile", *locked.Path());
  Start();

  EXPECT_TRUE(ErrorReported());
  EXPECT_EQ(form->Users->Count(), 0);
  // The rest of start-up still happened, and the window goes on.
  EXPECT_EQ(form->Caption(), Cp("Брумелка 0.90"));
  EXPECT_TRUE(form->Visible());
}

TEST_F(MainWindowTest, RepeatedInitializeWithMissingUsersFileKeepsTheTable) {
  WriteUsers({{"anna", "", "", "", ""}, {"bohdan", "", "", "", ""}});
  Start();
  std::filesystem::remove(folder.Path() / "users.usr");

  form->Initialize();

  ASSERT_EQ(form->Users->Count(), 2);
  EXPECT_EQ(form->Users->IndexOfUser("root"), -1);
}

TEST_F(MainWindowTest, EmptyOrShortUsersFileSeedsRoot) {
  folder.Write("users.usr", std::string(93, 'x'));
  Start();

  ASSERT_EQ(form->Users->Count(), 1);
  EXPECT_EQ(form->Users->GetUser(1).Name.Value(), "root");
}
