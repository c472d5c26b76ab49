#include "core/browser/WaitingWindowModel.h"

#include "core/shell/TextMeasure.h"

#include <algorithm>

namespace dv {

WaitingWindowLayout WaitingWindowModel::layout(const TextMeasure& measure) {
    constexpr Rect kLabel{8, 8, 249, 28};
    constexpr Rect kBar{8, 40, 249, 17};
    WaitingWindowLayout l;
    l.Label1 = kLabel;
    l.Label1.height = std::max(kLabel.height, measure.measure(kText, kLabel.width).height);
    const int grown = l.Label1.height - kLabel.height;
    l.ProgressBar1 = kBar;
    l.ProgressBar1.top += grown;
    l.clientWidth = 265;
    l.clientHeight = 74 + grown;
    return l;
}

} // namespace dv
