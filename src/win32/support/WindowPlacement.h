#pragma once

#include <windows.h>

namespace dv::win32 {

// The window rectangle that gives a window of these styles the client size
// asked for (in logical units, as at 100 %, brought to the system's display
// scale), centred in the work area of the primary screen.
RECT centredOnScreen(DWORD style, DWORD exStyle, int clientWidth, int clientHeight);

} // namespace dv::win32
