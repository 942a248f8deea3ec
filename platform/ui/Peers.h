#pragma once
// What a backend provides for each window object. The portable controls in Controls.h own
// one peer each and forward to it; the backend raises events back through ControlEvents.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/text/Cp1251.h"
#include "platform/ui/Geometry.h"

namespace ui {

enum class ControlKind {
  Label,         // static text; auto-sized to its text
  Edit,          // single-line edit field
  PasswordEdit,  // single-line edit field echoing '*'
  Button,        // push button
  FlatButton,    // push button drawn flat
  ListBox,       // single-selection list
  CheckBox,      // check box with its caption
  GroupBox,      // captioned frame
  BevelFrame,    // sunken rectangle
  BevelLine,     // horizontal rule (the bottom edge of its rectangle)
};

// Implemented by the portable Control; the backend calls these on the UI thread.
class ControlEvents {
 public:
  virtual void RaiseClick() = 0;
  virtual void RaiseExit() = 0;
  virtual void RaiseKeyPress(char& key) = 0;
  virtual void RaiseMouseMove(int x, int y) = 0;
  virtual void RaiseMouseLeave() = 0;

 protected:
  ~ControlEvents() = default;
};

// Thrown when the focus can't go to a control (hidden or disabled, or its form is hidden),
// as Windows programs of this kind report it.
class FocusError : public std::exception {
 public:
  const char* what() const noexcept override {
    static const std::string text =
        text::Cp("Не вдається передати фокус вимкненому або невидимому вікну.");
    return text.c_str();
  }
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;

  virtual void SetText(const std::string& cp1251) = 0;
  virtual std::string Text() const = 0;
  virtual void SetBounds(Rect bounds) = 0;
  virtual Rect Bounds() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  // Throws FocusError when the control or its form can't take the focus.
  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  virtual void SetHint(const std::string& cp1251) = 0;
  virtual std::string Hint() const = 0;
  virtual void SetBold(bool bold) = 0;
  virtual bool Bold() const = 0;
  virtual void SetTextColor(Color color) = 0;
  virtual Color TextColor() const = 0;
  // Underlined text and a hand cursor.
  virtual void SetLinkStyle(bool link) = 0;
  // Position in the keyboard (Tab) order among the form's focusable controls.
  virtual void SetTabOrder(int order) = 0;
  // Paints pending changes now instead of leaving them to the message loop.
  virtual void Repaint() = 0;

  // List boxes.
  virtual void ClearItems() = 0;
  virtual void AddItem(const std::string& cp1251) = 0;
  virtual int ItemCount() const = 0;
  virtual std::string Item(int index) const = 0;
  virtual void SetSelectedIndex(int index) = 0;  // -1 for none
  virtual int SelectedIndex() const = 0;

  // Check boxes.
  virtual void SetChecked(bool checked) = 0;
  virtual bool Checked() const = 0;
};

enum class FormStyle {
  Main,    // fixed single frame, system menu and minimise box
  Dialog,  // fixed dialog frame, system menu only
};

struct FormOptions {
  FormStyle style = FormStyle::Main;
  std::string windowClass;  // the registered class name; empty for the backend's default
  std::string caption;      // cp1251
  Size clientSize;
  // Made in the middle of the screen, rather than placed there once made: a move of the window
  // is one more round of messages.
  bool centered = false;
  std::string fontName = "MS Sans Serif";
  int fontPoints = 8;
};

class FormEvents {
 public:
  virtual void RaiseMinimize() = 0;
  virtual void RaiseClose() = 0;
  virtual void RaiseDestroy() = 0;
  // A message the form registered with Form::HandleMessage; returns false when unhandled.
  virtual bool RaiseMessage(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) = 0;

 protected:
  ~FormEvents() = default;
};

class FormPeer {
 public:
  virtual ~FormPeer() = default;

  virtual void SetCaption(const std::string& cp1251) = 0;
  virtual std::string Caption() const = 0;
  virtual Size ClientSize() const = 0;
  // The outer frame in screen coordinates.
  virtual Rect ScreenBounds() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  virtual bool Minimized() const = 0;
  virtual void Restore() = 0;
  virtual void BringToFront() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // Shows the form modally over `owner` (disabled meanwhile) and returns once EndModal ran.
  virtual void ShowModal(FormPeer* owner) = 0;
  virtual void EndModal() = 0;
  // Destroys the window; the close box does the same.
  virtual void Close() = 0;
  // The backend's own handle, for the Windows services that need one (0 headless).
  virtual std::uintptr_t NativeHandle() const = 0;
};

class TimerPeer {
 public:
  virtual ~TimerPeer() = default;
  virtual void SetInterval(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

}  // namespace ui
