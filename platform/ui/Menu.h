#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Geometry.h"

namespace ui {

class Form;

// A menu entry; the caption "-" makes a separator. Entries with children open a submenu.
class MenuItem {
 public:
  explicit MenuItem(std::string captionCp1251, bool enabled = true)
      : caption_(std::move(captionCp1251)), enabled_(enabled) {}

  const std::string& Caption() const { return caption_; }
  bool IsSeparator() const { return caption_ == "-"; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }

  MenuItem& Add(std::string captionCp1251, bool enabled = true);
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

  std::function<void()> OnClick;

 private:
  std::string caption_;
  bool enabled_;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

class PopupMenu {
 public:
  explicit PopupMenu(Form& owner) : owner_(owner) {}

  MenuItem& Add(std::string captionCp1251, bool enabled = true);
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }

  // Opens the menu at a screen point and runs the handler of the entry the user picks.
  void Popup(Point screen);

 private:
  Form& owner_;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace ui
