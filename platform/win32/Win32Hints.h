#pragma once
// One tooltip window per form; each control with a hint is a tool of it, identified by its
// window handle. The window and its tools are made when the mouse first moves over a control
// of the form: no hint can show before that, and made with the form they would hold back the
// main window's first appearance.

#include <windows.h>

#include <map>
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
  // A mouse move that reached `control`: makes the tooltip on the first, and passes that one
  // on to it, as the tooltip follows the mouse by itself from then on.
  void MouseMoved(HWND control, WPARAM wParam, LPARAM lParam);
  HWND Window() const { return tooltip_; }

 private:
  bool EnsureWindow();
  void AddTool(HWND control, const std::wstring& text);

  HWND form_;
  HWND tooltip_ = nullptr;
  std::map<HWND, std::wstring> texts_;
  std::set<HWND> tools_;
};

}  // namespace win32
