#include "harness/win32/MessageBoxWatcher.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/Win32Text.h"

namespace win32test {
namespace {

// The controls every message box is made of.
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x0440;

thread_local MessageBoxWatcher* watching = nullptr;

bool IsDialog(HWND window) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  return std::wstring(name) == L"#32770";
}

bool HasButton(HWND box, int id) {
  const HWND button = ::GetDlgItem(box, id);
  return button != nullptr && (::GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() {
  if (watching != nullptr) throw std::logic_error("one message box watcher per thread");
  hook_ = ::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
  if (hook_ == nullptr) throw std::runtime_error("SetWindowsHookExW(WH_CBT) failed");
  watching = this;
}

MessageBoxWatcher::~MessageBoxWatcher() {
  if (timer_ != 0) ::KillTimer(nullptr, timer_);
  ::UnhookWindowsHookEx(hook_);
  watching = nullptr;
}

LRESULT CALLBACK MessageBoxWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && watching != nullptr) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (IsDialog(window) && ::GetDlgItem(window, kTextId) != nullptr &&
        std::find(watching->pending_.begin(), watching->pending_.end(), window) ==
            watching->pending_.end()) {
      watching->pending_.push_back(window);
      if (watching->timer_ == 0) watching->timer_ = ::SetTimer(nullptr, 0, 10, AnswerPending);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MessageBoxWatcher::AnswerPending(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  if (watching == nullptr) return;
  watching->timer_ = 0;
  const std::vector<HWND> boxes = std::move(watching->pending_);
  watching->pending_.clear();
  for (const HWND box : boxes)
    if (::IsWindow(box)) watching->Answer(box);
}

void MessageBoxWatcher::Answer(HWND box) {
  SeenBox seen;
  seen.caption = win32::WindowText(box);
  seen.text = win32::WindowText(::GetDlgItem(box, kTextId));
  const HICON icon =
      reinterpret_cast<HICON>(::SendDlgItemMessageW(box, kIconId, STM_GETICON, 0, 0));
  const HWND iconWindow = ::GetDlgItem(box, kIconId);
  seen.anyIcon = icon != nullptr && iconWindow != nullptr &&
                 (::GetWindowLongW(iconWindow, GWL_STYLE) & WS_VISIBLE) != 0;
  seen.errorIcon = seen.anyIcon && icon == ::LoadIconW(nullptr, IDI_ERROR);
  seen.questionIcon = seen.anyIcon && icon == ::LoadIconW(nullptr, IDI_QUESTION);
  seen.okButton = HasButton(box, IDOK);
  seen.yesNoButtons = HasButton(box, IDYES) && HasButton(box, IDNO);
  seen.owner = ::GetWindow(box, GW_OWNER);
  seen_.push_back(seen);

  int button = seen.yesNoButtons ? IDNO : IDOK;
  if (!answers_.empty()) {
    button = answers_.front();
    answers_.pop_front();
  }
  // Posted: the box is still being shown; its own loop presses the button right after.
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
}

}  // namespace win32test
