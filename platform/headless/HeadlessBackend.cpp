#include "platform/headless/HeadlessBackend.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "platform/headless/HeadlessPeers.h"
#include "platform/text/Cp1251.h"
#include "platform/ui/Dispatch.h"

namespace headless {
namespace {

// Counts a box or a modal form for as long as it is up, however it ends.
class ModalDepth {
 public:
  explicit ModalDepth(int& depth) : depth_(depth) { ++depth_; }
  ~ModalDepth() { --depth_; }
  ModalDepth(const ModalDepth&) = delete;
  ModalDepth& operator=(const ModalDepth&) = delete;

 private:
  int& depth_;
};

}  // namespace

struct HeadlessBackend::TimerState {
  std::function<void()> onTimer;
  std::uint32_t interval = 0;
  bool enabled = false;
  std::uint64_t due = 0;

  void Restart(std::uint64_t now) { due = now + interval; }
  bool Armed() const { return enabled && interval > 0; }
};

class HeadlessTimer : public ui::TimerPeer {
 public:
  HeadlessTimer(HeadlessBackend& backend, std::function<void()> onTimer) : backend_(backend) {
    state_.onTimer = std::move(onTimer);
    backend_.timers_.push_back(&state_);
  }
  ~HeadlessTimer() override { std::erase(backend_.timers_, &state_); }

  // Like a Windows timer: a new interval or a new start counts from now.
  void SetInterval(std::uint32_t milliseconds) override {
    state_.interval = milliseconds;
    state_.Restart(backend_.now_);
  }
  std::uint32_t Interval() const override { return state_.interval; }
  void SetEnabled(bool enabled) override {
    if (enabled && !state_.enabled) state_.Restart(backend_.now_);
    state_.enabled = enabled;
  }
  bool Enabled() const override { return state_.enabled; }

 private:
  HeadlessBackend& backend_;
  HeadlessBackend::TimerState state_;
};

HeadlessBackend::HeadlessBackend() = default;
HeadlessBackend::~HeadlessBackend() = default;

std::unique_ptr<ui::FormPeer> HeadlessBackend::CreateForm(const ui::FormOptions& options,
                                                          ui::FormEvents& events) {
  return std::make_unique<HeadlessForm>(*this, options, events);
}

std::unique_ptr<ui::ControlPeer> HeadlessBackend::CreateControl(ui::FormPeer& parent,
                                                                ui::ControlKind kind,
                                                                ui::Rect bounds,
                                                                const std::string& text,
                                                                ui::ControlEvents& events) {
  auto control =
      std::make_unique<HeadlessControl>(*this, dynamic_cast<HeadlessForm&>(parent), kind, events);
  control->SetBounds(bounds);
  control->SetText(text);
  return control;
}

std::unique_ptr<ui::TimerPeer> HeadlessBackend::CreateTimer(ui::FormPeer& /*owner*/,
                                                            std::function<void()> onTimer) {
  return std::make_unique<HeadlessTimer>(*this, std::move(onTimer));
}

ui::Answer HeadlessBackend::ShowMessageBox(ui::FormPeer* owner, ui::MessageKind kind,
                                           const std::string& text, const std::string& caption) {
  messages_.push_back({kind, text, caption, owner != nullptr});
  if (!boxScripts_.empty()) {
    auto script = std::move(boxScripts_.front());
    boxScripts_.pop_front();
    const ModalDepth modal(modalDepth_);
    script();
  }
  const bool yesNo = kind == ui::MessageKind::Confirm || kind == ui::MessageKind::PlainYesNo;
  if (!yesNo) return ui::Answer::Ok;
  if (answers_.empty()) return ui::Answer::No;
  const ui::Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool HeadlessBackend::RunFileDialog(ui::FormPeer* /*owner*/, ui::FileDialogKind /*kind*/,
                                    std::string& fileName) {
  if (filePicks_.empty()) return false;
  std::optional<std::string> pick = std::move(filePicks_.front());
  filePicks_.pop_front();
  if (!pick) return false;
  fileName = *pick;
  // The common dialogs move the current directory to the chosen file's folder.
  const std::filesystem::path folder =
      std::filesystem::absolute(text::Cp1251ToUtf8(fileName)).parent_path();
  std::error_code ignored;
  std::filesystem::current_path(folder, ignored);
  return true;
}

ui::MenuItem* HeadlessBackend::TrackPopupMenu(ui::FormPeer& /*owner*/, const ui::PopupMenu& menu,
                                              ui::Point screen) {
  popups_.push_back({&menu, screen});
  if (menuChoices_.empty()) return nullptr;
  ui::MenuItem* chosen = menuChoices_.front();
  menuChoices_.pop_front();
  return chosen;
}

void HeadlessBackend::SetApplicationTitle(const std::string& cp1251) {
  applicationTitle_ = cp1251;
}

std::string HeadlessBackend::ApplicationTitle() const {
  return applicationTitle_;
}

void HeadlessBackend::PostToUiThread(std::function<void()> call) {
  std::lock_guard lock(postedMutex_);
  posted_.push_back(std::move(call));
}

std::size_t HeadlessBackend::RunPosted() {
  std::size_t ran = 0;
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard lock(postedMutex_);
      if (posted_.empty()) return ran;
      call = std::move(posted_.front());
      posted_.pop_front();
    }
    // A fault in a posted call is reported like one in any other event.
    ui::Dispatch(*this, call);
    ++ran;
  }
}

HeadlessControl& HeadlessBackend::PeerOf(ui::Control& control) {
  return dynamic_cast<HeadlessControl&>(control.Peer());
}

HeadlessForm& HeadlessBackend::PeerOf(ui::Form& form) {
  return dynamic_cast<HeadlessForm&>(form.Peer());
}

void HeadlessBackend::MoveFocus(HeadlessControl* to) {
  HeadlessControl* from = focused_;
  if (from == to) return;
  focused_ = to;
  // Windows tells the control it lost the focus only within its own form.
  if (from != nullptr && to != nullptr && &from->Form() == &to->Form()) from->Events().RaiseExit();
}

void HeadlessBackend::Forget(HeadlessControl* control) {
  if (focused_ == control) focused_ = nullptr;
}

void HeadlessBackend::Forget(HeadlessForm* form) {
  std::erase(forms_, form);
}

void HeadlessBackend::WhileNextMessageBox(std::function<void()> script) {
  boxScripts_.push_back(std::move(script));
}

void HeadlessBackend::RunModal(HeadlessForm& dialog) {
  // The modal loop of Windows keeps delivering posted calls; a script stands in for the user.
  const ModalDepth modal(modalDepth_);
  while (dialog.Modal()) {
    if (RunPosted() > 0) continue;
    if (modalScripts_.empty())
      throw std::logic_error("a form is shown modally with nothing to close it");
    auto script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    script(dialog);
  }
}

void HeadlessBackend::Click(ui::Control& control) {
  HeadlessControl& peer = PeerOf(control);
  if (!peer.CanFocus()) return;
  if (peer.Focusable()) MoveFocus(&peer);
  if (peer.Kind() == ui::ControlKind::CheckBox) peer.SetChecked(!peer.Checked());
  peer.Events().RaiseClick();
}

void HeadlessBackend::Type(ui::Control& control, const std::string& cp1251) {
  control.SetFocus();
  for (char key : cp1251) PressKey(control, key);
}

void HeadlessBackend::PressKey(ui::Control& control, char key) {
  HeadlessControl& peer = PeerOf(control);
  if (focused_ != &peer) throw std::logic_error("keys go to the focused control only");
  // Enter on a focused push button presses it, as the dialog manager does.
  const bool pushButton =
      peer.Kind() == ui::ControlKind::Button || peer.Kind() == ui::ControlKind::FlatButton;
  if (pushButton) {
    if (key == '\r') peer.Events().RaiseClick();
    return;
  }
  peer.Events().RaiseKeyPress(key);
  if (key == 0 || key == '\r' || key == '\t') return;
  if (key == '\b') {
    std::string text = peer.Text();
    if (!text.empty()) text.pop_back();
    peer.SetText(text);
    return;
  }
  peer.SetText(peer.Text() + key);
}

std::vector<HeadlessControl*> HeadlessBackend::TabOrder(const HeadlessForm& form) {
  std::vector<HeadlessControl*> order;
  for (HeadlessControl* c : form.Controls())
    if (c->Focusable() && c->CanFocus()) order.push_back(c);
  // Controls without an order of their own come after the ordered ones, as made.
  std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) {
    const int ka = a->TabOrder() < 0 ? std::numeric_limits<int>::max() : a->TabOrder();
    const int kb = b->TabOrder() < 0 ? std::numeric_limits<int>::max() : b->TabOrder();
    return ka < kb;
  });
  return order;
}

void HeadlessBackend::FocusFirstControl(const HeadlessForm& form) {
  const std::vector<HeadlessControl*> order = TabOrder(form);
  if (!order.empty()) MoveFocus(order.front());
}

void HeadlessBackend::PressTab(ui::Form& form) {
  const std::vector<HeadlessControl*> order = TabOrder(PeerOf(form));
  if (order.empty()) return;
  auto current = std::find(order.begin(), order.end(), focused_);
  HeadlessControl* next =
      current == order.end() || current + 1 == order.end() ? order.front() : *(current + 1);
  MoveFocus(next);
}

void HeadlessBackend::Hover(ui::Control& control, int x, int y) {
  PeerOf(control).Events().RaiseMouseMove(x, y);
}

void HeadlessBackend::Leave(ui::Control& control) {
  PeerOf(control).Events().RaiseMouseLeave();
}

void HeadlessBackend::Minimize(ui::Form& form) {
  HeadlessForm& peer = PeerOf(form);
  peer.Events().RaiseMinimize();
  peer.minimized_ = true;
}

void HeadlessBackend::CloseBox(ui::Form& form) {
  HeadlessForm& peer = PeerOf(form);
  peer.Events().RaiseClose();
  // As on Windows, a form shown modally is only put away: it is shown again later.
  if (peer.Modal()) {
    peer.EndModal();
    return;
  }
  peer.Close();
}

bool HeadlessBackend::SendMessage(ui::Form& form, std::uint32_t id, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
  return PeerOf(form).Events().RaiseMessage(id, wParam, lParam);
}

void HeadlessBackend::AnswerNextMessageBox(ui::Answer answer) {
  answers_.push_back(answer);
}

void HeadlessBackend::PickNextFile(std::string nameCp1251) {
  filePicks_.emplace_back(std::move(nameCp1251));
}

void HeadlessBackend::CancelNextFileDialog() {
  filePicks_.emplace_back(std::nullopt);
}

void HeadlessBackend::ChooseNextMenuItem(ui::MenuItem* item) {
  menuChoices_.push_back(item);
}

void HeadlessBackend::WhileNextModal(std::function<void(ui::FormPeer&)> script) {
  modalScripts_.push_back(std::move(script));
}

void HeadlessBackend::AdvanceClock(std::uint64_t milliseconds) {
  const std::uint64_t end = now_ + milliseconds;
  for (;;) {
    TimerState* next = nullptr;
    for (TimerState* timer : timers_)
      if (timer->Armed() && timer->due <= end && (next == nullptr || timer->due < next->due))
        next = timer;
    if (next == nullptr) break;
    now_ = next->due;
    next->Restart(now_);
    next->onTimer();
  }
  now_ = end;
}

}  // namespace headless
