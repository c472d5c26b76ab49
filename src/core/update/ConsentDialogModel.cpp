#include "core/update/ConsentDialogModel.h"

#include "core/shell/TextMeasure.h"

#include <algorithm>

namespace dv {

namespace {

constexpr int kMargin = 8;
constexpr int kDesignedWidth = 408;
constexpr int kDesignedHeight = 177;
constexpr Rect kLabel1{8, 8, 393, 57};
constexpr int kLabel2Top = 80;
constexpr Rect kYesButton{8, 104, 153, 17};
constexpr Rect kNoButton{8, 120, 65, 17};
constexpr Rect kButton1{325, 146, 75, 23};
constexpr Rect kNoNo{8, 152, 257, 17};

int right(const Rect& r) {
    return r.left + r.width;
}

} // namespace

ConsentDialogLayout ConsentDialogModel::layout(const TextMeasure& measure) {
    ConsentDialogLayout l;
    const int box = measure.indicatorWidth();
    const TextSize question = measure.measure(kQuestion, 0);
    l.rbYes = kYesButton;
    l.rbYes.width = std::max(kYesButton.width, measure.measure(kYes, 0).width + box);
    l.rbNo = kNoButton;
    l.rbNo.width = std::max(kNoButton.width, measure.measure(kNo, 0).width + box);
    l.cbNoNo = kNoNo;
    l.cbNoNo.width = std::max(kNoNo.width, measure.measure(kDontRemind, 0).width + box);
    // The check box ends before the button, which moves right if it must.
    l.Button1 = kButton1;
    l.Button1.left = std::max(kButton1.left, right(l.cbNoNo) + kMargin);
    l.clientWidth = std::max({kDesignedWidth, kMargin + question.width + kMargin,
                              right(l.Button1) + kMargin, right(l.rbYes) + kMargin});

    l.Label1 = kLabel1;
    l.Label1.width = l.clientWidth - kLabel1.left - (kDesignedWidth - right(kLabel1));
    l.Label1.height = std::max(kLabel1.height, measure.measure(kIntro, l.Label1.width).height);
    const int grown = l.Label1.height - kLabel1.height;
    l.Label2 = {kMargin, kLabel2Top + grown, question.width, question.height};
    for (Rect* r : {&l.rbYes, &l.rbNo, &l.Button1, &l.cbNoNo})
        r->top += grown;
    l.clientHeight = kDesignedHeight + grown;
    return l;
}

ConsentDialogModel::Closing ConsentDialogModel::onKey(Key key, Control focused) {
    if (key == Key::Escape)
        return Closing::WithoutAChoice;
    return focused == Control::Button1 ? Closing::WithTheChoice : Closing::StaysOpen;
}

} // namespace dv
