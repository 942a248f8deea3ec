#pragma once
// What the toolkit contract needs from each side: a backend, a way to let its UI thread work,
// and the user's hands. Each test program links exactly one definition of MakeToolkitHarness:
// natively the in-memory backend, under Windows real windows driven by window messages.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

class ToolkitHarness {
 public:
  virtual ~ToolkitHarness() = default;

  virtual ui::Backend& Backend() = 0;
  // Lets the UI thread run its posted calls, timers and window messages until `condition`
  // holds (true) or `timeoutMs` milliseconds have passed without it (false). Real time under
  // Windows; the in-memory backend's clock natively, moved on step by step.
  virtual bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) = 0;

  // --- the user's hands ---
  // A left click in the middle of the control, delivered as Windows delivers it.
  virtual void Click(ui::Control& control) = 0;
  // Focuses the control and types the characters.
  virtual void TypeText(ui::Control& control, const std::string& cp1251) = 0;
  // The Enter key in the focused control, through the form's keyboard handling.
  virtual void PressEnter(ui::Control& control) = 0;
  // The Tab key in the form.
  virtual void PressTab(ui::Form& form) = 0;
  // The mouse pointer at a client point of the control, then away from it.
  virtual void Hover(ui::Control& control, int x, int y) = 0;
  virtual void MoveAway(ui::Control& control) = 0;
  // The minimise box and the close box of the form.
  virtual void Minimize(ui::Form& form) = 0;
  virtual void CloseBox(ui::Form& form) = 0;
  // A message from another program, as SendMessage delivers it.
  virtual void SendFormMessage(ui::Form& form, std::uint32_t id, std::uintptr_t wParam,
                               std::intptr_t lParam) = 0;

  // The texts of the general error reports shown so far, oldest first.
  virtual std::vector<std::string> ErrorReports() = 0;
  // The size of the screen the forms are centred on.
  virtual ui::Size ScreenSize() = 0;
};

std::unique_ptr<ToolkitHarness> MakeToolkitHarness();
