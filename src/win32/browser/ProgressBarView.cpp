#include "win32/browser/ProgressBarView.h"

#include <commctrl.h>

namespace dv::win32 {

void ProgressBarView::setProgressVisible(bool visible) {
    ShowWindow(bar_, visible ? SW_SHOWNA : SW_HIDE);
}

void ProgressBarView::setProgressPosition(int position) {
    position_ = position;
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void ProgressBarView::setProgressMaximum(int maximum) {
    SendMessageW(bar_, PBM_SETRANGE32, 0, maximum);
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

} // namespace dv::win32
