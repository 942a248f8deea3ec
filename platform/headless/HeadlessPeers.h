#pragma once
// The in-memory windows behind HeadlessBackend; tests reach them through the backend.

#include <string>
#include <vector>

#include "platform/headless/HeadlessBackend.h"

namespace headless {

class HeadlessForm : public ui::FormPeer {
 public:
  HeadlessForm(HeadlessBackend& backend, const ui::FormOptions& options, ui::FormEvents& events);
  ~HeadlessForm() override;

  void SetCaption(const std::string& cp1251) override { caption_ = cp1251; }
  std::string Caption() const override { return caption_; }
  ui::Size ClientSize() const override { return options_.clientSize; }
  ui::Rect ScreenBounds() const override;
  void Show() override;
  void Hide() override;
  bool Visible() const override { return visible_; }
  bool Minimized() const override { return minimized_; }
  void Restore() override { minimized_ = false; }
  void BringToFront() override { inFront_ = true; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void ShowModal(ui::FormPeer* owner) override;
  void EndModal() override { modal_ = false; }
  void Close() override;
  std::uintptr_t NativeHandle() const override { return 0; }

  const ui::FormOptions& Options() const { return options_; }
  bool Modal() const { return modal_; }
  bool InFront() const { return inFront_; }
  bool Destroyed() const { return destroyed_; }
  const std::vector<HeadlessControl*>& Controls() const { return controls_; }
  ui::FormEvents& Events() { return events_; }

 private:
  friend class HeadlessBackend;
  friend class HeadlessControl;

  // The outer frame adds a caption and borders around the client area.
  static constexpr int kFrameWidth = 3;
  static constexpr int kCaptionHeight = 22;

  HeadlessBackend& backend_;
  ui::FormOptions options_;
  ui::FormEvents& events_;
  std::string caption_;
  ui::Point position_;
  bool visible_ = false;
  bool minimized_ = false;
  bool enabled_ = true;
  bool modal_ = false;
  bool inFront_ = false;
  bool destroyed_ = false;
  std::vector<HeadlessControl*> controls_;
};

class HeadlessControl : public ui::ControlPeer {
 public:
  HeadlessControl(HeadlessBackend& backend, HeadlessForm& form, ui::ControlKind kind,
                  ui::ControlEvents& events);
  ~HeadlessControl() override;

  void SetText(const std::string& cp1251) override;
  std::string Text() const override { return text_; }
  void SetBounds(ui::Rect bounds) override;
  ui::Rect Bounds() const override { return bounds_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }
  void SetFocus() override;
  bool Focused() const override;
  void SetHint(const std::string& cp1251) override { hint_ = cp1251; }
  std::string Hint() const override { return hint_; }
  void SetBold(bool bold) override { bold_ = bold; }
  bool Bold() const override { return bold_; }
  void SetTextColor(ui::Color color) override { color_ = color; }
  ui::Color TextColor() const override { return color_; }
  void SetLinkStyle(bool link) override { link_ = link; }
  void SetTabOrder(int order) override { tabOrder_ = order; }
  void Repaint() override { paintedText_ = text_; }

  void ClearItems() override;
  void AddItem(const std::string& cp1251) override { items_.push_back(cp1251); }
  int ItemCount() const override { return static_cast<int>(items_.size()); }
  std::string Item(int index) const override;
  void SetSelectedIndex(int index) override;
  int SelectedIndex() const override { return selected_; }

  void SetChecked(bool checked) override { checked_ = checked; }
  bool Checked() const override { return checked_; }

  ui::ControlKind Kind() const { return kind_; }
  HeadlessForm& Form() const { return form_; }
  ui::ControlEvents& Events() { return events_; }
  bool IsLink() const { return link_; }
  int TabOrder() const { return tabOrder_; }
  // The text as last painted: labels show a change only once painted.
  const std::string& PaintedText() const { return paintedText_; }
  // Controls that take the focus on a click or by Tab.
  bool Focusable() const;
  bool CanFocus() const;

 private:
  HeadlessBackend& backend_;
  HeadlessForm& form_;
  ui::ControlKind kind_;
  ui::ControlEvents& events_;
  std::string text_;
  ui::Rect bounds_;
  bool autoSize_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool bold_ = false;
  bool link_ = false;
  bool checked_ = false;
  int tabOrder_ = -1;
  ui::Color color_{0, 0, 0};
  std::string hint_;
  std::string paintedText_;
  std::vector<std::string> items_;
  int selected_ = -1;
};

}  // namespace headless
