#pragma once

#include "core/shell/DisplayScale.h"

#include <windows.h>

namespace dv::win32 {

// The font every window of the program was laid out for: MS Sans Serif at
// 8 points, 11 pixels high. Windows carries it (sserife.fon) and so does
// Wine; where it is missing Windows substitutes its nearest sans serif.
// On a scaled display the same 8 points in the display's pixels, from the
// outline font of the same design (Microsoft Sans Serif; Tahoma where it is
// missing, as under Wine), since the bitmap font has no sizes between its
// steps and would be drawn coarse or small.
// One shared handle per scale that lives as long as the process.
HFONT uiFont(const DisplayScale& scale = DisplayScale());

} // namespace dv::win32
