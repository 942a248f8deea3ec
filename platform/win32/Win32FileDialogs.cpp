#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32SystemLibrary.h"
#include "platform/win32/Win32Text.h"

namespace win32 {
namespace {

// Room for the longest path the dialogs hand back.
constexpr DWORD kNameRoom = 32768;

void MoveToFolderOf(const wchar_t* fileName, WORD nameOffset) {
  if (nameOffset == 0) return;
  std::wstring folder(fileName, nameOffset);
  // "C:\" keeps its backslash; any deeper folder loses it.
  if (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  ::SetCurrentDirectoryW(folder.c_str());
}

using FileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

// The common dialogs library (with the printing libraries it brings along) is loaded when a
// file dialog is first shown rather than with the program: most runs never show one.
FileDialogFunction FileDialogOf(ui::FileDialogKind kind) {
  static const HMODULE library = LoadSystemLibrary(L"comdlg32.dll");
  if (library == nullptr) return nullptr;
  const FARPROC address = ::GetProcAddress(
      library, kind == ui::FileDialogKind::Open ? "GetOpenFileNameW" : "GetSaveFileNameW");
  // GetProcAddress gives a generic pointer; passing through void (*)() says the cast is meant.
  return reinterpret_cast<FileDialogFunction>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

bool Win32Backend::RunFileDialog(ui::FormPeer* owner, ui::FileDialogKind kind,
                                 std::string& fileName) {
  const FileDialogFunction run = FileDialogOf(kind);
  if (run == nullptr) return false;
  const ModalScope modal(*this);
  std::vector<wchar_t> name(kNameRoom, L'\0');
  const std::wstring initial = Wide(fileName);
  initial.copy(name.data(), std::min<std::size_t>(initial.size(), kNameRoom - 1));

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner != nullptr ? reinterpret_cast<HWND>(owner->NativeHandle()) : nullptr;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = kNameRoom;
  // No filter and no default extension. No OFN_NOCHANGEDIR either: the chosen file's folder
  // becomes the current directory, and relative names resolve against it from then on.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!run(&dialog)) return false;
  fileName = Narrow(name.data());
  // The dialogs don't all move it themselves.
  MoveToFolderOf(name.data(), dialog.nFileOffset);
  return true;
}

}  // namespace win32
