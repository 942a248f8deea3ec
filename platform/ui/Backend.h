#pragma once
// The toolkit's link to the operating system: makes peers and runs the modal services.
// Two implementations: platform/win32 (real windows) and platform/headless (in memory).

#include <functional>
#include <memory>
#include <string>

#include "platform/ui/Peers.h"

namespace ui {

class MenuItem;
class PopupMenu;

enum class MessageKind {
  Info,         // text, OK, no icon, application title as caption
  Confirm,      // question icon, Yes and No
  PlainYesNo,   // Yes and No, no icon
  Unowned,      // OK, no icon, no owner window
  ErrorReport,  // error icon, OK: the general report of a fault no handler caught
};

enum class Answer { Ok, Yes, No };

enum class FileDialogKind { Open, Save };

class Backend {
 public:
  virtual ~Backend() = default;

  virtual std::unique_ptr<FormPeer> CreateForm(const FormOptions& options, FormEvents& events) = 0;
  // The control starts at `bounds` with `text`, as if both were set right after it was made.
  virtual std::unique_ptr<ControlPeer> CreateControl(FormPeer& parent, ControlKind kind,
                                                     Rect bounds, const std::string& text,
                                                     ControlEvents& events) = 0;
  virtual std::unique_ptr<TimerPeer> CreateTimer(FormPeer& owner,
                                                 std::function<void()> onTimer) = 0;

  virtual Answer ShowMessageBox(FormPeer* owner, MessageKind kind, const std::string& text,
                                const std::string& caption) = 0;
  // Runs the file dialog starting from `fileName`; on OK stores the chosen name there,
  // moves the current directory to its folder and returns true.
  virtual bool RunFileDialog(FormPeer* owner, FileDialogKind kind, std::string& fileName) = 0;
  // Opens the menu at a screen point and returns the item chosen, or nullptr.
  virtual MenuItem* TrackPopupMenu(FormPeer& owner, const PopupMenu& menu, Point screen) = 0;

  // The text of the taskbar entry; the tray icon's tip takes it too.
  virtual void SetApplicationTitle(const std::string& cp1251) = 0;
  virtual std::string ApplicationTitle() const = 0;

  // True while a message box, a form shown modally or a file dialog of the program is up.
  // Timers, posted calls and messages from outside still arrive then; the program's commands
  // ask this so that none of them runs into the middle of another.
  virtual bool ModalShown() const = 0;

  // Safe from any thread: `call` runs later on the UI thread, in posting order.
  virtual void PostToUiThread(std::function<void()> call) = 0;
  // Handles every window message (and posted call) waiting now, then returns.
  virtual void ProcessPendingMessages() = 0;
};

}  // namespace ui
