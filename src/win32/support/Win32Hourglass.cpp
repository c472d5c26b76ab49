#include "win32/support/Win32Hourglass.h"

namespace dv::win32 {

void Win32Hourglass::showHourglass() {
    const HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (depth_++ == 0)
        previous_ = before;
}

void Win32Hourglass::restoreCursor() {
    if (depth_ == 0)
        return;
    if (--depth_ == 0)
        SetCursor(previous_);
}

} // namespace dv::win32
