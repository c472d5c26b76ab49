#pragma once

#include <windows.h>

namespace dv::win32 {

// Opens the control panel's Internet settings ("inetcpl.cpl") through
// shell32's Control_RunDLL, as the control panel itself does. Returns when
// the applet closes; false when shell32 has no such entry.
bool openInternetSettings(HWND owner);

} // namespace dv::win32
