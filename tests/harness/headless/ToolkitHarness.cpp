// The toolkit in memory: the user's hands are the backend's own acting methods, and time is
// its manual clock, moved on a millisecond at a time while the test waits.

#include "contract/ToolkitHarness.h"

#include "platform/headless/HeadlessBackend.h"

namespace {

class HeadlessToolkitHarness : public ToolkitHarness {
 public:
  ui::Backend& Backend() override { return backend_; }

  bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) override {
    for (int waited = 0;; ++waited) {
      backend_.RunPosted();
      if (condition()) return true;
      if (waited >= timeoutMs) return false;
      backend_.AdvanceClock(1);
    }
  }

  void Click(ui::Control& control) override { backend_.Click(control); }
  void TypeText(ui::Control& control, const std::string& cp1251) override {
    backend_.Type(control, cp1251);
  }
  void PressEnter(ui::Control& control) override { backend_.PressEnter(control); }
  void PressTab(ui::Form& form) override { backend_.PressTab(form); }
  void Hover(ui::Control& control, int x, int y) override { backend_.Hover(control, x, y); }
  void MoveAway(ui::Control& control) override { backend_.Leave(control); }
  void Minimize(ui::Form& form) override { backend_.Minimize(form); }
  void CloseBox(ui::Form& form) override { backend_.CloseBox(form); }
  void SendFormMessage(ui::Form& form, std::uint32_t id, std::uintptr_t wParam,
                       std::intptr_t lParam) override {
    backend_.SendMessage(form, id, wParam, lParam);
  }

  std::vector<std::string> ErrorReports() override {
    std::vector<std::string> texts;
    for (const headless::ShownMessage& message : backend_.Messages())
      if (message.kind == ui::MessageKind::ErrorReport) texts.push_back(message.text);
    return texts;
  }

  ui::Size ScreenSize() override { return backend_.ScreenSize(); }

 private:
  headless::HeadlessBackend backend_;
};

}  // namespace

std::unique_ptr<ToolkitHarness> MakeToolkitHarness() {
  return std::make_unique<HeadlessToolkitHarness>();
}
