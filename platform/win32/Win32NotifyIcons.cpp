#include "platform/win32/Win32NotifyIcons.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32SystemLibrary.h"
#include "platform/win32/Win32Text.h"

namespace platform {
namespace {

// The program's icon is its first icon resource (app/brumelka.rc).
constexpr int kApplicationIconId = 1;

using NotifyIconFunction = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);

// The shell library (with the several it brings along) is loaded for the first icon rather
// than with the program, which by default shows none at start.
NotifyIconFunction ShellNotifyIcon() {
  static const HMODULE library = win32::LoadSystemLibrary(L"shell32.dll");
  if (library == nullptr) return nullptr;
  // GetProcAddress gives a generic pointer; passing through void (*)() says the cast is meant.
  return reinterpret_cast<NotifyIconFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(library, "Shell_NotifyIconW")));
}

}  // namespace

NOTIFYICONDATAW ShellRecord(const NotifyIconData& data) {
  NOTIFYICONDATAW record;
  std::memset(&record, 0, sizeof record);
  // The program's record is of the first form; so is the one the shell gets.
  record.cbSize = data.cbSize == 0 ? 0 : NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = reinterpret_cast<HWND>(data.hWnd);
  record.uID = data.uID;
  record.uFlags = data.uFlags;
  record.uCallbackMessage = data.uCallbackMessage;
  record.hIcon = reinterpret_cast<HICON>(data.hIcon);
  const std::size_t length =
      std::find(data.szTip.begin(), data.szTip.end(), '\0') - data.szTip.begin();
  const std::wstring tip = win32::Wide(std::string_view(data.szTip.data(), length));
  // The first form's tip holds 63 units and the terminating zero, as the program's does.
  const std::size_t units = std::min<std::size_t>(tip.size(), 63);
  std::copy_n(tip.begin(), units, record.szTip);
  record.szTip[units] = L'\0';
  return record;
}

bool Win32NotifyIcons::Notify(NotifyIconAction action, const NotifyIconData& data) {
  const NotifyIconFunction notify = ShellNotifyIcon();
  if (notify == nullptr) return false;
  NOTIFYICONDATAW record = ShellRecord(data);
  return notify(static_cast<DWORD>(action), &record) != FALSE;
}

std::uintptr_t Win32NotifyIcons::ApplicationIcon() {
  // The small picture of the icon, as the notification area shows it; shared, so never freed.
  HANDLE icon =
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED);
  if (icon == nullptr) icon = ::LoadIconW(nullptr, IDI_APPLICATION);
  return reinterpret_cast<std::uintptr_t>(icon);
}

ui::Point Win32NotifyIcons::CursorPos() {
  POINT point{};
  ::GetCursorPos(&point);
  return win32::FromDevice(ui::Point{point.x, point.y});
}

std::uint32_t Win32NotifyIcons::TaskbarCreatedMessage() {
  return ::RegisterWindowMessageW(L"TaskbarCreated");
}

}  // namespace platform
