#pragma once

#include "core/browser/DownloadIndicator.h"

#include <windows.h>

namespace dv::win32 {

// The page-loading bar as a progress bar control. Windows clamps a position
// to the range it has at the time; the browser sends the position before its
// maximum, so the position is applied again once the range is known.
class ProgressBarView : public ProgressView {
  public:
    explicit ProgressBarView(HWND bar = nullptr) : bar_(bar) {}
    void setBar(HWND bar) { bar_ = bar; }

    void setProgressVisible(bool visible) override;
    void setProgressPosition(int position) override;
    void setProgressMaximum(int maximum) override;

  private:
    HWND bar_;
    int position_ = 0;
};

} // namespace dv::win32
