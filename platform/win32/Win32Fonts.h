#pragma once
// A form's fonts: the plain face every control starts with, and the bold or underlined
// variants made on demand and deleted as soon as the last control using one lets it go, so
// controls made and destroyed over and over leave no GDI objects behind.

#include <windows.h>

#include <map>
#include <string>

namespace win32 {

class FontSet {
 public:
  FontSet(const std::wstring& face, int points);
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  HFONT Plain() const { return plain_; }
  // Every Acquire is matched by one Release of the font it returned.
  HFONT Acquire(bool bold, bool underline);
  void Release(HFONT font);
  // Bold or underlined fonts alive now.
  std::size_t VariantCount() const { return variants_.size(); }

 private:
  struct Variant {
    HFONT font;
    int users;
  };

  HFONT Create(bool bold, bool underline) const;

  std::wstring face_;
  int height_;
  HFONT plain_;
  std::map<int, Variant> variants_;
};

}  // namespace win32
