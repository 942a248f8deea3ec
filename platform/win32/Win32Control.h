#pragma once

#include <windows.h>

#include <string>

#include "platform/ui/Peers.h"

namespace win32 {

class Win32Form;

class Win32Control : public ui::ControlPeer {
 public:
  Win32Control(Win32Form& form, ui::ControlKind kind, ui::Rect bounds, const std::string& text,
               ui::ControlEvents& events);
  // Raises no more events: the portable control is being taken apart.
  ~Win32Control() override;
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  // --- ui::ControlPeer ---
  void SetText(const std::string& cp1251) override;
  std::string Text() const override;
  void SetBounds(ui::Rect bounds) override;
  ui::Rect Bounds() const override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void SetVisible(bool visible) override;
  bool Visible() const override;
  void SetFocus() override;
  bool Focused() const override;
  void SetHint(const std::string& cp1251) override;
  std::string Hint() const override { return hint_; }
  void SetBold(bool bold) override;
  bool Bold() const override { return bold_; }
  void SetTextColor(ui::Color color) override;
  ui::Color TextColor() const override { return color_; }
  void SetLinkStyle(bool link) override;
  void SetTabOrder(int order) override;
  void Repaint() override;

  void ClearItems() override;
  void AddItem(const std::string& cp1251) override;
  int ItemCount() const override;
  std::string Item(int index) const override;
  void SetSelectedIndex(int index) override;
  int SelectedIndex() const override;

  void SetChecked(bool checked) override;
  bool Checked() const override;

  // --- for the form ---
  // The control whose window this is, while the window lasts; null for any other window.
  static Win32Control* OfWindow(HWND window);
  HWND Handle() const { return hwnd_; }
  bool BelongsTo(const Win32Form& form) const { return &form_ == &form; }
  ui::ControlKind Kind() const { return kind_; }
  // Takes the focus on a click and by Tab.
  bool Focusable() const;
  int TabOrder() const { return tabOrder_; }
  // A notification the control sent its form through WM_COMMAND.
  void OnCommand(WORD code);
  // Called while the form answers WM_CTLCOLOR*: the colours the control paints its text with.
  void PaintColours(HDC dc) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnGetDialogCode(LRESULT code, LPARAM lParam) const;
  LRESULT OnChar(WPARAM wParam, LPARAM lParam);
  LRESULT OnFlatButtonMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void OnFocusReceived(HWND previous);
  void ApplyFont();
  void FitToText();
  // The size the text needs, in screen pixels, where the label is; the layout takes it too.
  ui::Rect FittedRect(std::wstring text);
  // Moves the window to a rectangle already scaled to the screen.
  void Place(ui::Rect device);

  Win32Form& form_;
  ui::ControlKind kind_;
  ui::ControlEvents* events_;
  HWND hwnd_ = nullptr;
  // The window procedure of the control's class, which WindowProc stands in front of.
  WNDPROC classProc_ = nullptr;
  HFONT font_ = nullptr;
  // Where the control was put, in layout units; a rule is drawn along the bottom edge of it.
  ui::Rect bounds_;
  // Where the window is, in screen pixels.
  ui::Rect placed_;
  bool autoSize_ = false;
  bool bold_ = false;
  bool link_ = false;
  bool colorSet_ = false;
  ui::Color color_{0, 0, 0};
  std::string hint_;
  int tabOrder_ = -1;
  bool trackingMouse_ = false;
  bool flatPressed_ = false;
};

}  // namespace win32
