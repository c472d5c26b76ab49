#pragma once

#include <windows.h>

namespace dv::win32 {

// Posted to the main window when Tab (wParam 1: Shift+Tab) leaves the last
// (first) element of the page, so that the focus goes on to the hot-spots.
inline constexpr UINT kLeavePageMessage = WM_USER + 4;

} // namespace dv::win32
