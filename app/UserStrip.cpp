// The strip of user buttons along the bottom: three places in view, scrolled one at a time.

#include "app/TForm1.h"
#include "app/Texts.h"

int TForm1::ButtonCount() const {
  int count = 0;
  while (count < kMaxButtons && UserButtons[static_cast<std::size_t>(count)]) ++count;
  return count;
}

int TForm1::LeftOfSlot(int place) {
  return place >= 1 && place <= 3 ? SlotLeft[static_cast<std::size_t>(place - 1)] : kOffScreenLeft;
}

void TForm1::PlaceButton(int index) {
  UserButtons[static_cast<std::size_t>(index)]->SetLeft(
      LeftOfSlot(ButtonSlots[static_cast<std::size_t>(index)]));
}

void TForm1::LoadUsersToMenu() {
  for (std::size_t k = 0; k < UserButtons.size(); ++k) {
    ButtonSlots[k] = 0;
    UserButtons[k].reset();
  }
  NextButton.SetEnabled(false);
  BackButton.SetEnabled(false);

  const int count = std::min(Users->Count(), kMaxButtons);
  if (count == 0) return;
  const int top = Bevel2.Bounds().top + 6;
  for (int i = 0; i < count; ++i) {
    // Made in its place: moving it there afterwards is one more round of messages.
    auto button = std::make_unique<ui::Button>(*this, ui::Rect{LeftOfSlot(i + 1), top, 80, 22},
                                               Users->GetUser(i + 1).Name.Value());
    const ui::Button& sender = *button;
    button->OnClick = [this, &sender] { UserChange(sender); };
    button->SetHint(texts::kUserButtonHint);
    UserButtons[static_cast<std::size_t>(i)] = std::move(button);
    ButtonSlots[static_cast<std::size_t>(i)] = i + 1;
  }
  if (count > 3) NextButton.SetEnabled(true);

  // While the window is hidden (at start-up, or in the tray) or disabled under a dialog, the
  // focus can't go there.
  if (UserButtons[0]->CanFocus()) UserButtons[0]->SetFocus();
  IfUserEntered();
}

void TForm1::NextButtonClick() {
  const int count = ButtonCount();
  if (count == 0) return;
  for (int i = 0; i < count; ++i) {
    --ButtonSlots[static_cast<std::size_t>(i)];
    PlaceButton(i);
  }
  if (ButtonSlots[static_cast<std::size_t>(count - 1)] <= 3) NextButton.SetEnabled(false);
  BackButton.SetEnabled(ButtonSlots[0] < 1);
}

void TForm1::BackButtonClick() {
  const int count = ButtonCount();
  if (count == 0) return;
  for (int i = count - 1; i >= 0; --i) {
    ++ButtonSlots[static_cast<std::size_t>(i)];
    PlaceButton(i);
  }
  NextButton.SetEnabled(ButtonSlots[static_cast<std::size_t>(count - 1)] > 3);
  if (ButtonSlots[0] >= 1) BackButton.SetEnabled(false);
}
