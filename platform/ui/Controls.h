#pragma once
// The controls the forms are written against. Each owns its peer; events arrive through the
// On* members, always by way of Dispatch.

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/Peers.h"

namespace ui {

class Control : private ControlEvents {
 public:
  Control(Form& parent, ControlKind kind, Rect bounds, const std::string& text = {});
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlPeer& Peer() const { return *peer_; }
  Form& Parent() const { return parent_; }

  void SetText(const std::string& cp1251) { peer_->SetText(cp1251); }
  std::string Text() const { return peer_->Text(); }
  void SetBounds(Rect bounds) { peer_->SetBounds(bounds); }
  Rect Bounds() const { return peer_->Bounds(); }
  void SetLeft(int left);
  void SetEnabled(bool enabled) { peer_->SetEnabled(enabled); }
  bool Enabled() const { return peer_->Enabled(); }
  void SetVisible(bool visible) { peer_->SetVisible(visible); }
  bool Visible() const { return peer_->Visible(); }
  // Throws FocusError when the control can't take the focus.
  void SetFocus() { peer_->SetFocus(); }
  // Whether SetFocus would succeed: the control and its form are shown and enabled.
  bool CanFocus() const;
  bool Focused() const { return peer_->Focused(); }
  void SetHint(const std::string& cp1251) { peer_->SetHint(cp1251); }
  std::string Hint() const { return peer_->Hint(); }
  void SetBold(bool bold) { peer_->SetBold(bold); }
  bool Bold() const { return peer_->Bold(); }
  void SetTextColor(Color color) { peer_->SetTextColor(color); }
  Color TextColor() const { return peer_->TextColor(); }
  void SetTabOrder(int order) { peer_->SetTabOrder(order); }
  void Repaint() { peer_->Repaint(); }

  std::function<void()> OnClick;
  std::function<void()> OnExit;
  std::function<void(char& key)> OnKeyPress;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void()> OnMouseLeave;

 private:
  void RaiseClick() override;
  void RaiseExit() override;
  void RaiseKeyPress(char& key) override;
  void RaiseMouseMove(int x, int y) override;
  void RaiseMouseLeave() override;

  Form& parent_;
  std::unique_ptr<ControlPeer> peer_;
};

class Label : public Control {
 public:
  Label(Form& parent, Point at, const std::string& caption = {})
      : Control(parent, ControlKind::Label, {at.x, at.y, 0, 0}, caption) {}
  // A label of fixed size; one placed at a point sizes itself to its text.
  Label(Form& parent, Rect bounds, const std::string& caption)
      : Control(parent, ControlKind::Label, bounds, caption) {}
  // Underlined, hand cursor.
  void SetLinkStyle(bool link) { Peer().SetLinkStyle(link); }
};

class Edit : public Control {
 public:
  Edit(Form& parent, Rect bounds, bool password = false)
      : Control(parent, password ? ControlKind::PasswordEdit : ControlKind::Edit, bounds) {}
};

class Button : public Control {
 public:
  Button(Form& parent, Rect bounds, const std::string& caption, bool flat = false)
      : Control(parent, flat ? ControlKind::FlatButton : ControlKind::Button, bounds, caption) {}
};

class ListBox : public Control {
 public:
  ListBox(Form& parent, Rect bounds) : Control(parent, ControlKind::ListBox, bounds) {}
  void Clear() { Peer().ClearItems(); }
  void Add(const std::string& cp1251) { Peer().AddItem(cp1251); }
  int Count() const { return Peer().ItemCount(); }
  std::string Item(int index) const { return Peer().Item(index); }
  void SetSelectedIndex(int index) { Peer().SetSelectedIndex(index); }
  int SelectedIndex() const { return Peer().SelectedIndex(); }
};

class CheckBox : public Control {
 public:
  CheckBox(Form& parent, Rect bounds, const std::string& caption)
      : Control(parent, ControlKind::CheckBox, bounds, caption) {}
  void SetChecked(bool checked) { Peer().SetChecked(checked); }
  bool Checked() const { return Peer().Checked(); }
};

class GroupBox : public Control {
 public:
  GroupBox(Form& parent, Rect bounds, const std::string& caption)
      : Control(parent, ControlKind::GroupBox, bounds, caption) {}
};

class Bevel : public Control {
 public:
  enum class Shape { Frame, BottomLine };
  Bevel(Form& parent, Rect bounds, Shape shape)
      : Control(parent, shape == Shape::Frame ? ControlKind::BevelFrame : ControlKind::BevelLine,
                bounds) {}
};

}  // namespace ui
