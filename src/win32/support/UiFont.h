#pragma once

#include <windows.h>

namespace dv::win32 {

// The font every window of the program was laid out for: MS Sans Serif at
// 8 points, 11 pixels high. Windows carries it (sserife.fon) and so does
// Wine; where it is missing Windows substitutes its nearest sans serif.
// One shared handle that lives as long as the process.
HFONT uiFont();

} // namespace dv::win32
