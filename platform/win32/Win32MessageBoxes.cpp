#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Text.h"

namespace win32 {
namespace {

UINT FlagsOf(ui::MessageKind kind) {
  switch (kind) {
    case ui::MessageKind::Info:
      return MB_OK;
    case ui::MessageKind::Confirm:
      return MB_YESNO | MB_ICONQUESTION;
    case ui::MessageKind::PlainYesNo:
      return MB_YESNO;
    case ui::MessageKind::Unowned:
      return MB_OK;
    case ui::MessageKind::ErrorReport:
      return MB_OK | MB_ICONERROR;
  }
  return MB_OK;
}

}  // namespace

ui::Answer Win32Backend::ShowMessageBox(ui::FormPeer* owner, ui::MessageKind kind,
                                        const std::string& text, const std::string& caption) {
  HWND ownerWindow = owner != nullptr ? reinterpret_cast<HWND>(owner->NativeHandle()) : nullptr;
  // The fault report names no form: it stays over whichever window the user was working in.
  if (ownerWindow == nullptr && kind == ui::MessageKind::ErrorReport)
    ownerWindow = ::GetActiveWindow();
  if (kind == ui::MessageKind::Unowned) ownerWindow = nullptr;
  // A box without an owner would leave the program's windows usable, and Exit could take the
  // main window away from under it; task-modal keeps them disabled meanwhile.
  const UINT flags = FlagsOf(kind) | (ownerWindow == nullptr ? MB_TASKMODAL : 0);
  const ModalScope modal(*this);
  const int answer = ::MessageBoxW(ownerWindow, Wide(text).c_str(), Wide(caption).c_str(), flags);
  switch (answer) {
    case IDYES:
      return ui::Answer::Yes;
    case IDNO:
      return ui::Answer::No;
    default:
      return ui::Answer::Ok;
  }
}

}  // namespace win32
