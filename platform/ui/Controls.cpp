#include "platform/ui/Controls.h"

#include "platform/ui/Dispatch.h"

namespace ui {

Control::Control(Form& parent, ControlKind kind, Rect bounds, const std::string& text)
    : parent_(parent),
      peer_(parent.GetBackend().CreateControl(parent.Peer(), kind, bounds, text, *this)) {}

Control::~Control() = default;

bool Control::CanFocus() const {
  return Visible() && Enabled() && parent_.Visible() && parent_.Peer().Enabled();
}

void Control::SetLeft(int left) {
  Rect bounds = Bounds();
  bounds.left = left;
  SetBounds(bounds);
}

void Control::RaiseClick() {
  Dispatch(parent_.GetBackend(), OnClick);
}
void Control::RaiseExit() {
  Dispatch(parent_.GetBackend(), OnExit);
}
void Control::RaiseMouseLeave() {
  Dispatch(parent_.GetBackend(), OnMouseLeave);
}

void Control::RaiseKeyPress(char& key) {
  if (OnKeyPress) Dispatch(parent_.GetBackend(), [&] { OnKeyPress(key); });
}

void Control::RaiseMouseMove(int x, int y) {
  if (OnMouseMove) Dispatch(parent_.GetBackend(), [&] { OnMouseMove(x, y); });
}

}  // namespace ui
