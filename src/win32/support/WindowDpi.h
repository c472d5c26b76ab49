#pragma once

#include "core/shell/DisplayScale.h"

#include <windows.h>

namespace dv::win32 {

// The scale of the display a window lies on, as the program is per-monitor
// aware: GetDpiForWindow where Windows has it (10, version 1607 on), else
// the screen's LOGPIXELSX.
DisplayScale windowScale(HWND window);
// The scale of the system's displays for windows not yet on a monitor.
DisplayScale systemScale();

// The window around a client area of clientWidth x clientHeight physical
// pixels at (0, 0), with its frame drawn at that scale.
RECT windowForClient(DWORD style, DWORD exStyle, int clientWidth, int clientHeight,
                     const DisplayScale& scale);

// Brings the child windows of a window laid out in logical units (as at
// 100 %) to a scale: their places, edges scaled, and the program's font at
// that scale for those that had it at 100 %. Children of children too,
// each in its parent's units.
void scaleChildren(HWND window, const DisplayScale& scale);

} // namespace dv::win32
