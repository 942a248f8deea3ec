#include "platform/win32/Win32ControlKinds.h"

namespace win32 {

WindowKind WindowKindOf(ui::ControlKind kind) {
  using ui::ControlKind;
  switch (kind) {
    case ControlKind::Label:
      // SS_NOTIFY: clicks, mouse moves and hints reach a label only with it. Like a Delphi
      // label, it doesn't wrap its words: what doesn't fit is cut off.
      return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0};
    case ControlKind::Edit:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::PasswordEdit:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::FlatButton:
      return {L"BUTTON", BS_PUSHBUTTON | BS_FLAT, 0};
    case ControlKind::ListBox:
      return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::GroupBox:
      // The frame paints only its edge and caption. Transparent, it is left out of the
      // form's clipping, so the form paints the background inside it.
      return {L"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT};
    case ControlKind::BevelFrame:
      return {L"STATIC", SS_SUNKEN | SS_NOTIFY, 0};
    case ControlKind::BevelLine:
      return {L"STATIC", SS_ETCHEDHORZ | SS_NOTIFY, 0};
  }
  return {L"STATIC", SS_LEFT, 0};
}

bool IsFocusable(ui::ControlKind kind) {
  switch (kind) {
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

}  // namespace win32
