#pragma once
// The portable forms are laid out in pixels of a 96-DPI screen. The program declares itself
// DPI-aware, so Windows leaves the scaling to it: every position and size goes to Windows
// multiplied by the system DPI / 96 and comes back divided by it. Fonts follow the DPI by
// their point sizes.
//
// Rectangles are scaled by their edges, not by their widths, so controls that touch at 96 DPI
// still touch at any other, and a value scaled and read back is the value that went in.

#include <windows.h>

#include "platform/ui/Geometry.h"

namespace win32 {

// The system DPI, read once: a system-aware program keeps it for its lifetime. 96 for a
// program Windows stretches instead.
int SystemDpi();

int ToDevice(int layout);
int FromDevice(int device);
ui::Point ToDevice(ui::Point layout);
ui::Point FromDevice(ui::Point device);
ui::Size ToDevice(ui::Size layout);
ui::Size FromDevice(ui::Size device);
ui::Rect ToDevice(const ui::Rect& layout);
ui::Rect FromDevice(const RECT& device);

}  // namespace win32
