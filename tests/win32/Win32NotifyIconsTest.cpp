// The notification area on Windows: the record's first form per architecture, the wide record
// the shell is handed, the program's icon, and the shell's "TaskbarCreated" reaching a form.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/text/Cp1251.h"
#include "platform/ui/Form.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32NotifyIcons.h"

namespace {

using platform::NotifyIconData;
using platform::Win32NotifyIcons;

NotifyIconData Record(const std::string& tip) {
  NotifyIconData data;
  data.cbSize = Win32NotifyIcons::kFirstFormSize;
  data.hWnd = 0x1234;
  data.uID = 0;
  data.uFlags = 7;
  data.uCallbackMessage = 1025;
  data.hIcon = 0x5678;
  std::copy(tip.begin(), tip.end(), data.szTip.begin());
  return data;
}

}  // namespace

TEST(Win32NotifyIconsTest, FirstFormEndsAfterTheShortTipOnEveryArchitecture) {
  EXPECT_EQ(Win32NotifyIcons::kFirstFormSize, offsetof(NOTIFYICONDATAA, szTip) + 64);
#ifndef _WIN64
  EXPECT_EQ(Win32NotifyIcons::kFirstFormSize, 88u);
#endif
  Win32NotifyIcons shell;
  EXPECT_EQ(shell.FirstFormSize(), Win32NotifyIcons::kFirstFormSize);
}

TEST(Win32NotifyIconsTest, ShellGetsTheFirstWideFormWithTheTipInUtf16) {
  const NOTIFYICONDATAW record = platform::ShellRecord(Record(text::Cp("Брумелка 0.90 - Анна")));
  EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
  EXPECT_EQ(record.hWnd, reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(record.uID, 0u);
  EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(record.uCallbackMessage, 1025u);
  EXPECT_EQ(record.hIcon, reinterpret_cast<HICON>(0x5678));
  EXPECT_EQ(std::wstring(record.szTip), L"Брумелка 0.90 - Анна");

  // The longest tip the program keeps fits the wide record's first form as well.
  const NOTIFYICONDATAW longest = platform::ShellRecord(Record(std::string(63, 'x')));
  EXPECT_EQ(std::wstring(longest.szTip), std::wstring(63, L'x'));
}

TEST(Win32NotifyIconsTest, ApplicationIconIsAnIconAndTheCursorIsOnTheScreen) {
  Win32NotifyIcons shell;
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(reinterpret_cast<HICON>(shell.ApplicationIcon()), &info));
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  EXPECT_TRUE(info.fIcon);

  const ui::Point cursor = shell.CursorPos();
  EXPECT_GE(cursor.x, ::GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_LT(cursor.x,
            ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
}

TEST(Win32NotifyIconsTest, TaskbarCreatedIsTheRegisteredMessageAndReachesAForm) {
  Win32NotifyIcons shell;
  const std::uint32_t taskbarCreated = shell.TaskbarCreatedMessage();
  EXPECT_GE(taskbarCreated, 0xC000u);
  EXPECT_LE(taskbarCreated, 0xFFFFu);
  EXPECT_EQ(taskbarCreated, ::RegisterWindowMessageW(L"TaskbarCreated"));

  win32::Win32Backend backend(::GetModuleHandleW(nullptr));
  ui::FormOptions options;
  options.clientSize = {100, 50};
  ui::Form form(backend, options);
  int received = 0;
  form.HandleMessage(taskbarCreated, [&](std::uintptr_t, std::intptr_t) { ++received; });
  const HWND window = reinterpret_cast<HWND>(form.Peer().NativeHandle());
  EXPECT_EQ(::SendMessageW(window, taskbarCreated, 0, 0), 0);
  EXPECT_EQ(received, 1);
  // A registered message nobody handles goes on to the default handling.
  ::SendMessageW(window, ::RegisterWindowMessageW(L"BrumelkaNobodysMessage"), 0, 0);
  EXPECT_EQ(received, 1);
}
