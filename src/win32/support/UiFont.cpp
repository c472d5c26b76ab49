#include "support/UiFont.h"

namespace dv::win32 {

HFONT uiFont() {
    static const HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    return font;
}

} // namespace dv::win32
