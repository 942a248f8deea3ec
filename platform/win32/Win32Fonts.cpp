#include "platform/win32/Win32Fonts.h"

#include <stdexcept>

#include "platform/win32/GdiObjects.h"

namespace win32 {
namespace {

int PixelHeight(int points) {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  // Negative: the size of the characters, not of the cell, as point sizes are meant.
  return -::MulDiv(points, dpi, 72);
}

int Key(bool bold, bool underline) {
  return (bold ? 1 : 0) | (underline ? 2 : 0);
}

}  // namespace

FontSet::FontSet(const std::wstring& face, int points)
    : face_(face), height_(PixelHeight(points)), plain_(Create(false, false)) {
  if (plain_ == nullptr) throw std::runtime_error("CreateFontW failed");
}

FontSet::~FontSet() {
  for (auto& [key, variant] : variants_) DeleteCounted(variant.font);
  DeleteCounted(plain_);
}

HFONT FontSet::Create(bool bold, bool underline) const {
  return Counted(::CreateFontW(height_, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE,
                               underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               face_.c_str()));
}

HFONT FontSet::Acquire(bool bold, bool underline) {
  if (!bold && !underline) return plain_;
  const int key = Key(bold, underline);
  auto found = variants_.find(key);
  if (found == variants_.end()) {
    const HFONT font = Create(bold, underline);
    if (font == nullptr) return plain_;
    found = variants_.emplace(key, Variant{font, 0}).first;
  }
  ++found->second.users;
  return found->second.font;
}

void FontSet::Release(HFONT font) {
  if (font == nullptr || font == plain_) return;
  for (auto it = variants_.begin(); it != variants_.end(); ++it) {
    if (it->second.font != font) continue;
    if (--it->second.users == 0) {
      DeleteCounted(font);
      variants_.erase(it);
    }
    return;
  }
}

}  // namespace win32
