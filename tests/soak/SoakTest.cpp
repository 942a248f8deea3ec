// A thousand rounds of a user's day on real windows: log in, dial the simulated service, hang
// up and rebuild the user strip. Whatever one round takes it must give back, so the process's
// handles and the toolkit's live GDI objects stay where they were after the first rounds.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindowFixture.h"
#include "app/TForm1.h"
#include "platform/native/IniProfileFiles.h"
#include "platform/text/Cp1251.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32RemoteAccess.h"
#include "support/FakeNotifyIcons.h"
#include "support/FakePower.h"
#include "support/FakeTextEditor.h"
#include "support/TempFolder.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::WindowOf;

constexpr int kWarmUpRounds = 20;
constexpr int kRounds = 1000;
constexpr int kSampleEvery = 100;
// Handles the system may open once, late and for good (a thread pool, a cache); a leak of one
// per round would pass this by hundreds.
constexpr DWORD kHandleTolerance = 8;
constexpr ULONGLONG kPatienceMs = 10000;

const UserFields kAnna{"anna", "secret", "5550001", "anna-login", "anna-net"};

// The system's list of open handles, as NtQuerySystemInformation gives it.
struct HandleEntry {
  void* object;
  ULONG_PTR processId;
  ULONG_PTR handle;
  ULONG grantedAccess;
  USHORT creatorBackTraceIndex;
  USHORT objectTypeIndex;
  ULONG attributes;
  ULONG reserved;
};
struct HandleList {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

// This process's entries in the system's handle list; nothing when the list can't be had.
std::optional<DWORD> ListedHandleCount() {
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return std::nullopt;
  std::vector<unsigned char> buffer(1 << 16);
  LONG status = kInfoLengthMismatch;
  for (int attempt = 0; attempt < 8 && status == kInfoLengthMismatch; ++attempt) {
    ULONG needed = 0;
    status = query(kSystemExtendedHandleInformation, buffer.data(),
                   static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch)
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  if (status < 0) return std::nullopt;
  const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
  const ULONG_PTR self = ::GetCurrentProcessId();
  DWORD count = 0;
  for (ULONG_PTR i = 0; i < list->count; ++i)
    if (list->entries[i].processId == self) ++count;
  return count;
}

// The process's open handles. Wine answers GetProcessHandleCount with 0, so there they are
// counted in the system's handle list instead.
DWORD HandleCount() {
  DWORD count = 0;
  if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count > 0) return count;
  return ListedHandleCount().value_or(0);
}

class Soak : public ::testing::Test {
 protected:
  Soak() {
    // More users than the strip shows: a rebuild makes buttons on and off the strip.
    folder.Write("users.usr", UsersFileBytes({kAnna,
                                              {"bohdan", "", "", "", ""},
                                              {"vira", "", "", "", ""},
                                              {"hanna", "", "", "", ""},
                                              {"root", "", "", "", ""}}));
    // The stand-in service reads its phone book from the file this names.
    folder.Write("phonebook.ini",
                 "[Provider]\r\nStepMs=0\r\nReleaseMs=0\r\nAcceptPassword=anna-net\r\n");
    ::SetEnvironmentVariableW(L"BRUMELKA_RAS_PHONEBOOK", (folder.Path() / "phonebook.ini").c_str());
    std::filesystem::create_directories(windowsFolder);
    profiles.Write("brumelka.ini", "Main", "Version", "0.90");
    profiles.Write("brumelka.ini", "Params", "IsMinimizeToTrayOnConnect", "0");
    form = std::make_unique<TForm1>(
        backend, MainWindowServices{profiles, remoteAccess, clock, textEditor, notifyIcons, power});
    form->Show();
    Pump();
  }

  void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) backend.ProcessMessage(message);
  }

  // Pumps messages until the status line shows `text`; false when it never does.
  bool WaitForStatus(const std::string& text) {
    const ULONGLONG deadline = ::GetTickCount64() + kPatienceMs;
    for (;;) {
      Pump();
      if (form->Label1.Text() == text) return true;
      if (::GetTickCount64() >= deadline) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }

  void Click(const ui::Control& control) {
    ::SendMessageW(WindowOf(control), BM_CLICK, 0, 0);
    Pump();
  }

  ui::Button* ButtonOf(const std::string& name) {
    for (auto& button : form->UserButtons)
      if (button && button->Text() == name) return button.get();
    return nullptr;
  }

  // One round; a fatal failure names the round where the program did not do its part.
  void Round(int round) {
    ui::Button* anna = ButtonOf("anna");
    ASSERT_NE(anna, nullptr) << "round " << round;
    Click(*anna);
    form->PassEdit.SetText("secret");
    ::SendMessageW(WindowOf(form->PassEdit), WM_CHAR, VK_RETURN, 0);
    Pump();
    ASSERT_TRUE(form->IsLoggedIn) << "round " << round;

    Click(form->ConnectButton);
    ASSERT_TRUE(WaitForStatus(Cp("Ви ввійшли в мережу."))) << "round " << round;
    Click(form->DisconnectButton);
    ASSERT_EQ(form->Label1.Text(), Cp("Роз`єднано.")) << "round " << round;

    form->LoadUsersToMenu();
    Pump();
  }

  testing_support::TempFolder folder;
  std::filesystem::path windowsFolder = folder.Path() / "windows";
  platform::IniProfileFiles profiles{windowsFolder};
  platform::Win32RemoteAccess remoteAccess;
  platform::Win32Clock clock;
  testing_support::FakeTextEditor textEditor;
  testing_support::FakeNotifyIcons notifyIcons;
  testing_support::FakePower power;
  win32::Win32Backend backend{::GetModuleHandleW(nullptr)};
  std::unique_ptr<TForm1> form;  // made once the files it reads at start-up are there
};

TEST_F(Soak, AThousandLogInDialHangUpRoundsLeaveHandlesAndGdiObjectsFlat) {
  for (int round = 0; round < kWarmUpRounds; ++round) {
    ASSERT_NO_FATAL_FAILURE(Round(round));
  }
  const ULONGLONG started = ::GetTickCount64();
  const DWORD handlesBefore = HandleCount();
  const std::size_t gdiBefore = win32::LiveGdiObjects();
  ASSERT_GT(handlesBefore, 0u);
  ASSERT_GT(gdiBefore, 0u) << "the window's own fonts are counted";

  std::vector<std::string> samples;
  for (int round = 1; round <= kRounds; ++round) {
    ASSERT_NO_FATAL_FAILURE(Round(round));
    if (round % kSampleEvery == 0) {
      samples.push_back(std::to_string(round) + ": " + std::to_string(HandleCount()) +
                        " handles, " + std::to_string(win32::LiveGdiObjects()) + " GDI objects");
      EXPECT_EQ(win32::LiveGdiObjects(), gdiBefore) << samples.back();
      EXPECT_LE(HandleCount(), handlesBefore + kHandleTolerance) << samples.back();
    }
  }
  for (const std::string& sample : samples) std::printf("%s\n", sample.c_str());
  std::printf("before: %lu handles, %zu GDI objects; %d rounds in %llu ms\n", handlesBefore,
              gdiBefore, kRounds, ::GetTickCount64() - started);
  const std::string log = testing_support::ReadFile(form->Setup->LogFileName);
  std::size_t lines = 0;
  for (char c : log) lines += c == '\n' ? 1 : 0;
  EXPECT_GE(lines, static_cast<std::size_t>(2 * (kRounds + kWarmUpRounds)))
      << "every dial and hang-up was logged";
}

}  // namespace
