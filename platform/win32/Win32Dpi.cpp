#include "platform/win32/Win32Dpi.h"

namespace win32 {
namespace {

constexpr int kLayoutDpi = 96;

int ReadSystemDpi() {
  const HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return kLayoutDpi;
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

}  // namespace

int SystemDpi() {
  static const int dpi = ReadSystemDpi();
  return dpi;
}

int ToDevice(int layout) {
  return ::MulDiv(layout, SystemDpi(), kLayoutDpi);
}

int FromDevice(int device) {
  return ::MulDiv(device, kLayoutDpi, SystemDpi());
}

ui::Point ToDevice(ui::Point layout) {
  return {ToDevice(layout.x), ToDevice(layout.y)};
}

ui::Point FromDevice(ui::Point device) {
  return {FromDevice(device.x), FromDevice(device.y)};
}

ui::Size ToDevice(ui::Size layout) {
  return {ToDevice(layout.width), ToDevice(layout.height)};
}

ui::Size FromDevice(ui::Size device) {
  return {FromDevice(device.width), FromDevice(device.height)};
}

ui::Rect ToDevice(const ui::Rect& layout) {
  const int left = ToDevice(layout.left);
  const int top = ToDevice(layout.top);
  return {left, top, ToDevice(layout.left + layout.width) - left,
          ToDevice(layout.top + layout.height) - top};
}

ui::Rect FromDevice(const RECT& device) {
  const int left = FromDevice(device.left);
  const int top = FromDevice(device.top);
  return {left, top, FromDevice(device.right) - left, FromDevice(device.bottom) - top};
}

}  // namespace win32
