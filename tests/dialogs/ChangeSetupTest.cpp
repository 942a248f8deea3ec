// What each of the settings dialog's three commands makes of the interval typed: a whole
// number of any sign is stored; anything else is reported and stops the command after the
// file names and tray options have been stored.

#include <filesystem>
#include <ostream>
#include <string>

#include "platform/headless/HeadlessPeers.h"
#include "tests/dialogs/DialogsFixture.h"

using text::Cp;

namespace {

enum class Command { Ok, Open, Save };

struct Case {
  Command command;
  std::string interval;
  bool valid;
  int value;  // when valid
};

void PrintTo(const Case& c, std::ostream* out) {
  const char* command[] = {"OK", "Open", "Save"};
  *out << command[static_cast<int>(c.command)] << " with \"" << c.interval << '"';
}

std::string NameOf(const testing::TestParamInfo<Case>& info) {
  const char* command[] = {"Ok", "Open", "Save"};
  std::string text = info.param.interval;
  if (text.empty()) text = "empty";
  if (text.rfind('-', 0) == 0) text = "minus" + text.substr(1);
  return std::string(command[static_cast<int>(info.param.command)]) + "_" + text;
}

class ChangeSetupTest : public DialogsTest, public testing::WithParamInterface<Case> {
 protected:
  ui::Button& ButtonOf(Command command) {
    switch (command) {
      case Command::Ok:
        return configForm->OkButton;
      case Command::Open:
        return configForm->OpenButton;
      case Command::Save:
        return configForm->SaveButton;
    }
    throw std::logic_error("no such command");
  }
  std::string InFolder(const std::string& name) const {
    return (std::filesystem::current_path() / name).string();
  }
  std::size_t InfoCount() const { return MessagesOfKind(ui::MessageKind::Info).size(); }
};

}  // namespace

TEST_P(ChangeSetupTest, StoresWhatItCanAndTheCommandGoesOnOnlyWithAWholeNumber) {
  const Case& c = GetParam();
  StartWithDialogs();  // no users file: root is seeded and logged in
  ASSERT_TRUE(form->IsLoggedIn);
  form->Setup->IsMinimizeToTrayOnConnect = false;
  form->Setup->IsShowInTrayOnStartup = false;
  const std::string notSettings = InFolder("not-settings.ini");
  folder.Write("not-settings.ini", "[Other]\r\nkey=1\r\n");
  const std::string saved = InFolder("saved.ini");

  bool stillOpen = false;
  std::string shownInterval;
  std::string shownUsersFile;
  InSettingsDialog([&] {
    Retype(configForm->UsersEdit, "people.usr");
    Retype(configForm->LogEdit, "calls.log");
    backend.Click(configForm->IsMinimizeToTrayOnConnectCBox);
    backend.Click(configForm->IsShowInTrayOnStartupCBox);
    Retype(configForm->IntervalEdit, c.interval);
    if (c.command == Command::Open) backend.PickNextFile(notSettings);
    if (c.command == Command::Save) backend.PickNextFile(saved);
    backend.Click(ButtonOf(c.command));
    stillOpen = dynamic_cast<const headless::HeadlessForm&>(configForm->Peer()).Modal();
    shownInterval = configForm->IntervalEdit.Text();
    shownUsersFile = configForm->UsersEdit.Text();
    if (stillOpen) backend.Click(configForm->CancelButton);
  });

  // Whatever the interval, the values before it are in the settings.
  EXPECT_EQ(form->Setup->UsersFile, "people.usr");
  EXPECT_EQ(form->Setup->LogFileName, "calls.log");
  EXPECT_TRUE(form->Setup->IsMinimizeToTrayOnConnect);
  EXPECT_TRUE(form->Setup->IsShowInTrayOnStartup);

  const auto reports = MessagesOfKind(ui::MessageKind::ErrorReport);
  if (c.valid) {
    EXPECT_EQ(form->Setup->TimeLogMinuteInterval, c.value);
    EXPECT_TRUE(reports.empty());
  } else {
    EXPECT_EQ(form->Setup->TimeLogMinuteInterval, 10);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, "'" + c.interval + text::Cp("' не є правильним цілим числом."));
  }

  switch (c.command) {
    case Command::Ok:
      EXPECT_FALSE(stillOpen);
      // Initialize logs root out; the users file now named holds nobody to seed him again.
      EXPECT_EQ(form->IsLoggedIn, !c.valid);
      EXPECT_EQ(form->Caption(), c.valid ? Cp("Брумелка 0.90") : Cp("Брумелка 0.90 - root"));
      if (c.value > 0) {
        EXPECT_EQ(form->Timer1.Interval(), c.value * 60000u);
      }
      if (!c.valid) {
        EXPECT_EQ(form->Timer1.Interval(), 10 * 60000u);
      }
      break;
    case Command::Open:
      EXPECT_TRUE(stillOpen);
      EXPECT_TRUE(form->IsLoggedIn);
      if (c.valid) {
        ASSERT_EQ(InfoCount(), 1u);
        EXPECT_EQ(MessagesOfKind(ui::MessageKind::Info)[0].text, Cp("На жаль, помилка відкриття."));
        EXPECT_EQ(form->Setup->SetupFileName, notSettings);
        // Refilled from the settings, which kept what the dialog had stored.
        EXPECT_EQ(shownInterval, c.interval);
        EXPECT_EQ(shownUsersFile, InFolder("people.usr"));
      } else {
        EXPECT_EQ(InfoCount(), 0u);
        EXPECT_EQ(form->Setup->SetupFileName, "brumelka.ini");
      }
      break;
    case Command::Save:
      EXPECT_TRUE(stillOpen);
      if (c.valid) {
        ASSERT_EQ(InfoCount(), 1u);
        EXPECT_EQ(MessagesOfKind(ui::MessageKind::Info)[0].text,
                  Cp("Настройки були успішно збережені."));
        EXPECT_NE(folder.Read("saved.ini").find("TimeLogMinuteInterval=" + c.interval),
                  std::string::npos);
      } else {
        EXPECT_EQ(InfoCount(), 0u);
        EXPECT_FALSE(std::filesystem::exists(saved));
      }
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EachCommand, ChangeSetupTest,
    testing::Values(Case{Command::Ok, "15", true, 15}, Case{Command::Ok, "-5", true, -5},
                    Case{Command::Ok, "0", true, 0}, Case{Command::Ok, "abc", false, 0},
                    Case{Command::Ok, "", false, 0}, Case{Command::Open, "15", true, 15},
                    Case{Command::Open, "-5", true, -5}, Case{Command::Open, "0", true, 0},
                    Case{Command::Open, "abc", false, 0}, Case{Command::Save, "15", true, 15},
                    Case{Command::Save, "-5", true, -5}, Case{Command::Save, "0", true, 0},
                    Case{Command::Save, "abc", false, 0}),
    NameOf);
