#include "core/browser/DownloadIndicator.h"

namespace dv {

void DownloadIndicator::downloadBegin() {
    view_.setProgressVisible(true);
}

void DownloadIndicator::downloadComplete() {
    view_.setProgressVisible(false);
}

void DownloadIndicator::progressChange(int progress, int maximum) {
    view_.setProgressPosition(progress);
    view_.setProgressMaximum(maximum);
    if (progress == -1)
        view_.setProgressVisible(false);
}

} // namespace dv
