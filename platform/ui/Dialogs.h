#pragma once
// Message boxes and the open/save file dialogs.

#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/Form.h"

namespace ui {

// The ordinary information box: the text, OK, no icon, the application title as caption.
void ShowMessage(Form& owner, const std::string& textCp1251);

// Remembers the last name chosen; picking a file moves the current directory to its folder.
class FileDialog {
 public:
  FileDialog(Form& owner, FileDialogKind kind) : owner_(owner), kind_(kind) {}

  bool Execute() { return Execute(owner_); }
  // Above `over` rather than the owner: a modal dialog that shares its owner's file dialogs
  // stays blocked while one is open.
  bool Execute(Form& over) {
    return over.GetBackend().RunFileDialog(&over.Peer(), kind_, fileName_);
  }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string cp1251) { fileName_ = std::move(cp1251); }

 private:
  Form& owner_;
  FileDialogKind kind_;
  std::string fileName_;
};

}  // namespace ui
