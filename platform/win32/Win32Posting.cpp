#include "platform/win32/Win32Posting.h"

#include <memory>
#include <stdexcept>

#include "platform/ui/Dispatch.h"
#include "platform/win32/Win32Guard.h"

namespace win32 {
namespace {

constexpr const wchar_t* kClassName = L"BrumelkaUiThreadCalls";
constexpr UINT kRunCall = WM_APP + 0x100;

using Call = std::function<void()>;

}  // namespace

UiThreadPoster::UiThreadPoster(HINSTANCE instance, ui::Backend& backend) : backend_(backend) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error("RegisterClassExW failed for the UI thread calls");
  window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
  if (window_ == nullptr)
    throw std::runtime_error("CreateWindowExW failed for the UI thread calls");
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

UiThreadPoster::~UiThreadPoster() {
  // Calls still queued are dropped, but not leaked.
  MSG message;
  while (::PeekMessageW(&message, window_, kRunCall, kRunCall, PM_REMOVE))
    delete reinterpret_cast<Call*>(message.lParam);
  ::DestroyWindow(window_);
}

void UiThreadPoster::Post(std::function<void()> call) {
  auto owned = std::make_unique<Call>(std::move(call));
  if (::PostMessageW(window_, kRunCall, 0, reinterpret_cast<LPARAM>(owned.get())))
    owned.release();  // the UI thread deletes it after the call
}

LRESULT CALLBACK UiThreadPoster::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message != kRunCall) return ::DefWindowProcW(window, message, wParam, lParam);
  return Guarded(0, [&]() -> LRESULT {
    std::unique_ptr<Call> call(reinterpret_cast<Call*>(lParam));
    auto* poster = reinterpret_cast<UiThreadPoster*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (poster != nullptr && call != nullptr) ui::Dispatch(poster->backend_, *call);
    return 0;
  });
}

}  // namespace win32
