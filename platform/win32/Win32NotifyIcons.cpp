#include "platform/win32/Win32NotifyIcons.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Text.h"

namespace platform {
namespace {

// The program's icon is its first icon resource (app/brumelka.rc).
constexpr int kApplicationIconId = 1;

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
  NOTIFYICONDATAW record = ShellRecord(data);
  return ::Shell_NotifyIconW(static_cast<DWORD>(action), &record) != FALSE;
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
