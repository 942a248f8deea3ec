#pragma once
// The toolkit in memory: every window is a plain record, and a test acts as the user through
// the methods below. It keeps to what Windows does where the forms depend on it: focus moves
// raise the exit event of the control left, hidden or disabled controls refuse the focus,
// clicking a button takes the focus first, modal forms disable their owner.

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Menu.h"

namespace headless {

class HeadlessForm;
class HeadlessControl;

struct ShownMessage {
  ui::MessageKind kind;
  std::string text;
  std::string caption;
  bool owned;
};

struct ShownPopup {
  const ui::PopupMenu* menu;
  ui::Point at;
};

class HeadlessBackend : public ui::Backend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  // --- ui::Backend ---
  std::unique_ptr<ui::FormPeer> CreateForm(const ui::FormOptions& options,
                                           ui::FormEvents& events) override;
  std::unique_ptr<ui::ControlPeer> CreateControl(ui::FormPeer& parent, ui::ControlKind kind,
                                                 ui::Rect bounds, const std::string& text,
                                                 ui::ControlEvents& events) override;
  std::unique_ptr<ui::TimerPeer> CreateTimer(ui::FormPeer& owner,
                                             std::function<void()> onTimer) override;
  ui::Answer ShowMessageBox(ui::FormPeer* owner, ui::MessageKind kind, const std::string& text,
                            const std::string& caption) override;
  bool RunFileDialog(ui::FormPeer* owner, ui::FileDialogKind kind, std::string& fileName) override;
  ui::MenuItem* TrackPopupMenu(ui::FormPeer& owner, const ui::PopupMenu& menu,
                               ui::Point screen) override;
  void SetApplicationTitle(const std::string& cp1251) override;
  std::string ApplicationTitle() const override;
  bool ModalShown() const override { return modalDepth_ > 0; }
  void PostToUiThread(std::function<void()> call) override;
  void ProcessPendingMessages() override { RunPosted(); }

  // --- acting as the user ---
  // Mouse click: a focusable control takes the focus first (raising the exit event of the
  // control that had it), then the click event runs. Nothing happens to a disabled or
  // hidden control.
  void Click(ui::Control& control);
  // Focuses the field and types each character through the key-press event.
  void Type(ui::Control& control, const std::string& cp1251);
  // Presses one key in the focused field: the key-press event runs, then the character
  // (possibly changed by the handler; 0 swallows it) reaches the field. Enter and Backspace
  // don't add text.
  void PressKey(ui::Control& control, char key);
  void PressEnter(ui::Control& control) { PressKey(control, '\r'); }
  // Tab: the focus goes to the next enabled, visible control in keyboard order.
  void PressTab(ui::Form& form);
  void Hover(ui::Control& control, int x = 1, int y = 1);
  void Leave(ui::Control& control);
  void Minimize(ui::Form& form);
  // The close box: destroys the form, or only ends the modal showing of a modal one.
  void CloseBox(ui::Form& form);
  // A message from outside, as SendMessage delivers it; false when the form ignores it.
  bool SendMessage(ui::Form& form, std::uint32_t id, std::uintptr_t wParam = 0,
                   std::intptr_t lParam = 0);

  // --- scripted answers ---
  // Message boxes answer Ok (one button) or the scripted answer, in order; unscripted
  // Yes/No boxes answer No.
  void AnswerNextMessageBox(ui::Answer answer);
  const std::vector<ShownMessage>& Messages() const { return messages_; }
  // Runs while the next message box is up, as the user or a timer would act meanwhile.
  void WhileNextMessageBox(std::function<void()> script);
  void ClearMessages() { messages_.clear(); }
  // The next file dialog picks this name (and moves the current directory to its folder),
  // or is cancelled; unscripted dialogs are cancelled.
  void PickNextFile(std::string nameCp1251);
  void CancelNextFileDialog();
  // The next popup menu returns this entry (nullptr: dismissed); unscripted ones are dismissed.
  void ChooseNextMenuItem(ui::MenuItem* item);
  const std::vector<ShownPopup>& Popups() const { return popups_; }
  // Runs while the next form shown modally is up; it must end the modal state.
  void WhileNextModal(std::function<void(ui::FormPeer& dialog)> script);

  // --- time and threads ---
  // Moves the manual clock on, firing due timers in time order.
  void AdvanceClock(std::uint64_t milliseconds);
  std::uint64_t Now() const { return now_; }
  // Runs the calls posted so far from any thread; returns how many ran.
  std::size_t RunPosted();

  // The screen the forms are centred on.
  ui::Size ScreenSize() const { return {1024, 768}; }
  HeadlessControl* Focused() const { return focused_; }

 private:
  friend class HeadlessForm;
  friend class HeadlessControl;
  friend class HeadlessTimer;

  struct TimerState;
  void MoveFocus(HeadlessControl* to);
  // The form's focusable controls that can take the focus now, in keyboard order.
  static std::vector<HeadlessControl*> TabOrder(const HeadlessForm& form);
  void FocusFirstControl(const HeadlessForm& form);
  void Forget(HeadlessControl* control);
  void Forget(HeadlessForm* form);
  void RunModal(HeadlessForm& dialog);
  static HeadlessControl& PeerOf(ui::Control& control);
  static HeadlessForm& PeerOf(ui::Form& form);

  std::string applicationTitle_;
  HeadlessControl* focused_ = nullptr;
  std::vector<HeadlessForm*> forms_;
  std::vector<ShownMessage> messages_;
  std::deque<ui::Answer> answers_;
  std::deque<std::optional<std::string>> filePicks_;
  std::deque<ui::MenuItem*> menuChoices_;
  std::vector<ShownPopup> popups_;
  std::deque<std::function<void(ui::FormPeer&)>> modalScripts_;
  std::deque<std::function<void()>> boxScripts_;
  int modalDepth_ = 0;
  std::vector<TimerState*> timers_;
  std::uint64_t now_ = 0;
  mutable std::mutex postedMutex_;
  std::deque<std::function<void()>> posted_;
};

}  // namespace headless
