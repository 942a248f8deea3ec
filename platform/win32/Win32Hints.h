#pragma once
// One tooltip window per form, made when the first hint is set; each control with a hint is a
// tool of it, identified by its window handle.

#include <windows.h>

#include <set>
#include <string>

namespace win32 {

class Hints {
 public:
  explicit Hints(HWND form) : form_(form) {}
  ~Hints();
  Hints(const Hints&) = delete;
  Hints& operator=(const Hints&) = delete;

  // An empty text removes the control's tool.
  void Set(HWND control, const std::wstring& text);
  void Remove(HWND control);
  HWND Window() const { return tooltip_; }

 private:
  bool EnsureWindow();

  HWND form_;
  HWND tooltip_ = nullptr;
  std::set<HWND> tools_;
};

}  // namespace win32
