#pragma once
// A main window on the headless toolkit, with its settings folder and current directory in a
// fresh temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/TForm1.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/native/FormatClock.h"
#include "platform/native/IniProfileFiles.h"
#include "platform/text/Cp1251.h"
#include "tests/support/FakeNotifyIcons.h"
#include "tests/support/FakePower.h"
#include "tests/support/FakeRemoteAccess.h"
#include "tests/support/FakeTextEditor.h"
#include "tests/support/TempFolder.h"

struct UserFields {
  std::string name, pass, phone, login, password;
};

// The users file image of these users, built by hand from the record layout.
inline std::string UsersFileBytes(const std::vector<UserFields>& users) {
  std::string bytes;
  for (const UserFields& user : users) {
    std::string record(94, '\0');
    auto put = [&record](std::size_t offset, std::size_t capacity, const std::string& value) {
      const std::size_t length = std::min(value.size(), capacity);
      record[offset] = static_cast<char>(length);
      record.replace(offset + 1, length, value.substr(0, length));
    };
    put(0, 9, user.phone);
    put(10, 20, user.login);
    put(31, 20, user.name);
    put(52, 20, user.password);
    put(73, 20, user.pass);
    bytes += record;
  }
  return bytes;
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { std::filesystem::create_directories(windowsFolder); }

  void Start() {
    form = std::make_unique<TForm1>(
        backend,
        MainWindowServices{profiles, remoteAccess, *serviceClock, textEditor, notifyIcons, power});
    form->Show();
  }

  void WriteUsers(const std::vector<UserFields>& users) {
    folder.Write("users.usr", UsersFileBytes(users));
  }

  bool ErrorReported() const {
    for (const auto& shown : backend.Messages())
      if (shown.kind == ui::MessageKind::ErrorReport) return true;
    return false;
  }

  testing_support::TempFolder folder;
  std::filesystem::path windowsFolder = folder.Path() / "windows";
  platform::IniProfileFiles profiles{windowsFolder};
  testing_support::FakeRemoteAccess remoteAccess;
  platform::FormatClock clock{"dd.MM.yyyy", "H:mm:ss"};
  // The clock the window is made with; a test may give it one that moves with the backend's.
  platform::Clock* serviceClock = &clock;
  testing_support::FakeTextEditor textEditor;
  testing_support::FakeNotifyIcons notifyIcons;
  testing_support::FakePower power;
  headless::HeadlessBackend backend;
  std::unique_ptr<TForm1> form;
};
