#pragma once
// The toolkit on real windows: every form is a top-level window of its own class, every control
// a child window of a standard class, so screen readers and UI automation see them as usual.

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"

namespace win32 {

class Win32Form;
class UiThreadPoster;

class Win32Backend : public ui::Backend {
 public:
  // Must be made on the thread that will run the windows.
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  // Runs until WM_QUIT (the main form's window being destroyed posts it) and returns its code.
  int RunMessageLoop();
  // Hands a message taken from the queue to its form's keyboard interface (Tab moves the
  // focus) or dispatches it; every message loop of the program goes through here.
  void ProcessMessage(MSG& message);

  HINSTANCE Instance() const { return instance_; }

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
  void ProcessPendingMessages() override;

 private:
  friend class Win32Form;
  friend class ModalScope;

  void RegisterFormClass(const std::wstring& name);
  void Adopt(Win32Form* form);
  void Forget(Win32Form* form);
  bool IsForm(HWND window) const;
  HWND MainWindow() const;
  UINT_PTR NextTimerId() { return nextTimerId_++; }

  HINSTANCE instance_;
  std::string applicationTitle_;
  std::set<std::wstring> registeredClasses_;
  std::vector<Win32Form*> forms_;
  Win32Form* mainForm_ = nullptr;
  UINT_PTR nextTimerId_ = 1;
  std::unique_ptr<UiThreadPoster> poster_;
  int modalDepth_ = 0;
};

// Counts a modal box, form or dialog for as long as it is up.
class ModalScope {
 public:
  explicit ModalScope(Win32Backend& backend) : backend_(backend) { ++backend_.modalDepth_; }
  ~ModalScope() { --backend_.modalDepth_; }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  Win32Backend& backend_;
};

}  // namespace win32
