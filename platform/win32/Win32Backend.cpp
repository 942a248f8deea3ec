#include "platform/win32/Win32Backend.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32Form.h"
#include "platform/win32/Win32Posting.h"
#include "platform/win32/Win32Timer.h"

namespace win32 {

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  poster_ = std::make_unique<UiThreadPoster>(instance_, *this);
}

Win32Backend::~Win32Backend() = default;

int Win32Backend::RunMessageLoop() {
  MSG message;
  for (;;) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return -1;
    ProcessMessage(message);
  }
}

void Win32Backend::ProcessPendingMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left for the loop that owns the program's end.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ProcessMessage(message);
  }
}

void Win32Backend::ProcessMessage(MSG& message) {
  const HWND root = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && IsForm(root) && ::IsDialogMessageW(root, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

void Win32Backend::RegisterFormClass(const std::wstring& name) {
  if (registeredClasses_.count(name) != 0) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = Win32Form::WindowProc;
  windowClass.hInstance = instance_;
  // The program's own icon when it has one (the first icon resource), else the standard one.
  windowClass.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(1));
  // And its small image: given none, the registration finds one itself through a copy of
  // the large icon, which costs several times this load (1.5 ms of the start under Wine).
  if (windowClass.hIcon != nullptr)
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
  if (windowClass.hIcon == nullptr) windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name.c_str();
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("RegisterClassExW failed for a form");
  registeredClasses_.insert(name);
}

void Win32Backend::Adopt(Win32Form* form) {
  forms_.push_back(form);
  if (form->isMain_ && mainForm_ == nullptr) mainForm_ = form;
}

void Win32Backend::Forget(Win32Form* form) {
  std::erase(forms_, form);
  if (mainForm_ == form) mainForm_ = nullptr;
}

bool Win32Backend::IsForm(HWND window) const {
  return std::any_of(forms_.begin(), forms_.end(),
                     [window](const Win32Form* form) { return form->Handle() == window; });
}

HWND Win32Backend::MainWindow() const {
  return mainForm_ != nullptr ? mainForm_->Handle() : nullptr;
}

std::unique_ptr<ui::FormPeer> Win32Backend::CreateForm(const ui::FormOptions& options,
                                                       ui::FormEvents& events) {
  return std::make_unique<Win32Form>(*this, options, events);
}

std::unique_ptr<ui::ControlPeer> Win32Backend::CreateControl(ui::FormPeer& parent,
                                                             ui::ControlKind kind, ui::Rect bounds,
                                                             const std::string& text,
                                                             ui::ControlEvents& events) {
  return std::make_unique<Win32Control>(dynamic_cast<Win32Form&>(parent), kind, bounds, text,
                                        events);
}

std::unique_ptr<ui::TimerPeer> Win32Backend::CreateTimer(ui::FormPeer& owner,
                                                         std::function<void()> onTimer) {
  return std::make_unique<Win32Timer>(dynamic_cast<Win32Form&>(owner), NextTimerId(),
                                      std::move(onTimer));
}

void Win32Backend::SetApplicationTitle(const std::string& cp1251) {
  applicationTitle_ = cp1251;
}

std::string Win32Backend::ApplicationTitle() const {
  return applicationTitle_;
}

void Win32Backend::PostToUiThread(std::function<void()> call) {
  poster_->Post(std::move(call));
}

}  // namespace win32
