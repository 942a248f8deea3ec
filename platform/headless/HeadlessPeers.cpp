#include "platform/headless/HeadlessPeers.h"

#include <algorithm>
#include <stdexcept>

namespace headless {

HeadlessForm::HeadlessForm(HeadlessBackend& backend, const ui::FormOptions& options,
                           ui::FormEvents& events)
    : backend_(backend), options_(options), events_(events), caption_(options.caption) {
  backend_.forms_.push_back(this);
  if (options.centered) {
    const ui::Size screen = backend_.ScreenSize();
    const ui::Rect frame = ScreenBounds();
    position_ = {(screen.width - frame.width) / 2, (screen.height - frame.height) / 2};
  }
}

HeadlessForm::~HeadlessForm() {
  backend_.Forget(this);
}

ui::Rect HeadlessForm::ScreenBounds() const {
  return {position_.x, position_.y, options_.clientSize.width + 2 * kFrameWidth,
          options_.clientSize.height + kCaptionHeight + 2 * kFrameWidth};
}

void HeadlessForm::Show() {
  const bool wasVisible = visible_;
  visible_ = true;
  minimized_ = false;
  // A form coming into view gives the focus to its first control in keyboard order.
  if (!wasVisible) backend_.FocusFirstControl(*this);
}

void HeadlessForm::Hide() {
  visible_ = false;
  // A hidden form can't keep the focus, but leaving it this way raises no exit event.
  if (backend_.focused_ != nullptr && &backend_.focused_->Form() == this)
    backend_.focused_ = nullptr;
}

void HeadlessForm::ShowModal(ui::FormPeer* owner) {
  if (modal_) throw std::logic_error("form is already shown modally");
  auto* ownerForm = dynamic_cast<HeadlessForm*>(owner);
  const bool ownerWasEnabled = ownerForm != nullptr && ownerForm->enabled_;
  if (ownerForm != nullptr) ownerForm->enabled_ = false;
  Show();
  modal_ = true;
  try {
    backend_.RunModal(*this);
  } catch (...) {
    modal_ = false;
    Hide();
    if (ownerForm != nullptr) ownerForm->enabled_ = ownerWasEnabled;
    throw;
  }
  Hide();
  if (ownerForm != nullptr) ownerForm->enabled_ = ownerWasEnabled;
}

void HeadlessForm::Close() {
  if (destroyed_) return;
  Hide();
  destroyed_ = true;
  events_.RaiseDestroy();
}

HeadlessControl::HeadlessControl(HeadlessBackend& backend, HeadlessForm& form, ui::ControlKind kind,
                                 ui::ControlEvents& events)
    : backend_(backend), form_(form), kind_(kind), events_(events) {
  form_.controls_.push_back(this);
}

HeadlessControl::~HeadlessControl() {
  backend_.Forget(this);
  std::erase(form_.controls_, this);
}

void HeadlessControl::SetText(const std::string& cp1251) {
  text_ = cp1251;
  if (autoSize_) {
    // Roughly what an 8-point sans serif face needs.
    bounds_.width = static_cast<int>(text_.size()) * 6;
    bounds_.height = 13;
  }
}

void HeadlessControl::SetBounds(ui::Rect bounds) {
  // A label placed without a size fits its text, and a plain move keeps it fitting.
  const bool move = bounds.width == bounds_.width && bounds.height == bounds_.height;
  autoSize_ = kind_ == ui::ControlKind::Label &&
              ((bounds.width == 0 && bounds.height == 0) || (autoSize_ && move));
  bounds_ = bounds;
  if (autoSize_) SetText(text_);
}

void HeadlessControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  // Like hiding, disabling takes the focus away without telling the control.
  if (!enabled && Focused()) backend_.focused_ = nullptr;
}

void HeadlessControl::SetVisible(bool visible) {
  visible_ = visible;
  if (!visible && Focused()) backend_.focused_ = nullptr;
}

bool HeadlessControl::Focusable() const {
  switch (kind_) {
    case ui::ControlKind::Edit:
    case ui::ControlKind::PasswordEdit:
    case ui::ControlKind::Button:
    case ui::ControlKind::ListBox:
    case ui::ControlKind::CheckBox:
      return true;
    default:
      return false;
  }
}

bool HeadlessControl::CanFocus() const {
  return visible_ && enabled_ && form_.visible_ && form_.enabled_ && !form_.destroyed_;
}

void HeadlessControl::SetFocus() {
  if (!CanFocus()) throw ui::FocusError();
  backend_.MoveFocus(this);
}

bool HeadlessControl::Focused() const {
  return backend_.focused_ == this;
}

void HeadlessControl::ClearItems() {
  items_.clear();
  selected_ = -1;
}

std::string HeadlessControl::Item(int index) const {
  if (index < 0 || index >= ItemCount()) throw std::out_of_range("list index out of bounds");
  return items_[static_cast<std::size_t>(index)];
}

void HeadlessControl::SetSelectedIndex(int index) {
  selected_ = index >= 0 && index < ItemCount() ? index : -1;
}

}  // namespace headless
