#include "win32/support/WindowPlacement.h"

#include "win32/support/WindowDpi.h"

namespace dv::win32 {

RECT centredOnScreen(DWORD style, DWORD exStyle, int clientWidth, int clientHeight) {
    // The program's windows are laid out as at 100 %; their size follows the display's scale.
    const DisplayScale scale = systemScale();
    const Rect client = scale.toPhysical(Rect{0, 0, clientWidth, clientHeight});
    const RECT frame = windowForClient(style, exStyle, client.width, client.height, scale);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace dv::win32
