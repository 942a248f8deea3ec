#pragma once
// Calls posted from any thread to run on the UI thread: each goes, heap-allocated, as the
// lParam of a message to a hidden message-only window, so they run in posting order within
// every message loop of the thread, modal ones included.

#include <windows.h>

#include <functional>

namespace ui {
class Backend;
}

namespace win32 {

class UiThreadPoster {
 public:
  // Made on the UI thread; `backend` reports faults of the calls.
  UiThreadPoster(HINSTANCE instance, ui::Backend& backend);
  ~UiThreadPoster();
  UiThreadPoster(const UiThreadPoster&) = delete;
  UiThreadPoster& operator=(const UiThreadPoster&) = delete;

  // Safe from any thread.
  void Post(std::function<void()> call);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  ui::Backend& backend_;
  HWND window_ = nullptr;
};

}  // namespace win32
