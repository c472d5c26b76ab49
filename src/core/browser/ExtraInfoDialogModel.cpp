#include "core/browser/ExtraInfoDialogModel.h"

#include "core/app/UrlHost.h"
#include "core/browser/TExtraInfo.h"
#include "core/shell/MainWindowLayout.h"
#include "core/shell/TextMeasure.h"

#include <algorithm>

namespace dv {

namespace {

constexpr int kDesignedWidth = 386;
constexpr int kDesignedHeight = 217;
constexpr Rect kInformation{8, 8, 369, 73};
constexpr Rect kMoreInfo{8, 96, 369, 49};
constexpr Rect kUrl{8, 20, 369 - 2 * 8, 13}; // inside the group box
constexpr Rect kOpenNowLabel{8, 160, 369, 13};
constexpr Rect kYesButton{224, 184, 75, 23};
constexpr Rect kNoButton{304, 184, 75, 23};
// Longer notes are not measured: they scroll at once.
constexpr std::size_t kLongestMeasured = 4000;

ExtraInfoView withButtons(const TExtraInfo& note, std::string caption, bool canRun) {
    ExtraInfoView v;
    v.caption = std::move(caption);
    v.information = ExtraInfoDialogModel::displayLines(note.Information);
    v.url = note.Url;
    v.moreInfoVisible = !note.Url.empty();
    v.openNowVisible = canRun;
    v.yesVisible = canRun;
    v.noText = canRun ? ExtraInfoDialogModel::kNo : ExtraInfoDialogModel::kClose;
    v.defaultButton = canRun ? ExtraInfoView::Button::Yes : ExtraInfoView::Button::No;
    return v;
}

} // namespace

std::string ExtraInfoDialogModel::questionCaption() {
    return std::string(layout::kApplicationTitle) + kCaptionSuffix;
}

ExtraInfoView ExtraInfoDialogModel::question(const TExtraInfo& note) {
    return withButtons(note, questionCaption(), note.CanRun);
}

ExtraInfoView ExtraInfoDialogModel::notice(const TExtraInfo& note, const std::string& caption) {
    return withButtons(note, caption, false);
}

ExtraInfoLayout ExtraInfoDialogModel::layout(const ExtraInfoView& view,
                                             const TextMeasure& measure) {
    ExtraInfoLayout l;
    l.clientWidth = kDesignedWidth;
    l.lbInformation = kInformation;
    const TextSize note = view.information.size() > kLongestMeasured
                              ? TextSize{kInformation.width, kMaxInformationHeight + 1}
                              : measure.measure(view.information, kInformation.width);
    l.informationScrolls = note.height > kMaxInformationHeight;
    l.lbInformation.height = std::clamp(note.height, kInformation.height, kMaxInformationHeight);
    const int grown = l.lbInformation.height - kInformation.height;

    l.gbMoreInfo = kMoreInfo;
    l.gbMoreInfo.top += grown;
    const TextSize url = measure.measure(view.url, 0);
    // Only the text is a link: the label is as wide as the address.
    l.lbURL = {kUrl.left, kUrl.top, std::min(url.width + 1, kUrl.width),
               std::max(url.height, kUrl.height)};
    l.lbOpenNow = kOpenNowLabel;
    l.lbOpenNow.top += grown;
    l.lbOpenNow.height =
        std::max(kOpenNowLabel.height, measure.measure(kOpenNow, kOpenNowLabel.width).height);
    const int below = l.lbOpenNow.height - kOpenNowLabel.height;
    l.btYes = kYesButton;
    l.btNo = kNoButton;
    l.btYes.top += grown + below;
    l.btNo.top += grown + below;
    l.clientHeight = kDesignedHeight + grown + below;
    return l;
}

std::optional<ExtraInfoDialogModel::Result>
ExtraInfoDialogModel::onKey(Key key, const ExtraInfoView& view,
                            std::optional<ExtraInfoView::Button> focused) {
    if (key == Key::Escape)
        return Result::No;
    if (focused == ExtraInfoView::Button::Yes && !view.yesVisible)
        focused.reset();
    const ExtraInfoView::Button pressed = focused.value_or(view.defaultButton);
    if (pressed == ExtraInfoView::Button::Yes)
        return view.yesVisible ? std::optional(Result::Yes) : std::nullopt;
    return Result::No;
}

std::optional<std::string> ExtraInfoDialogModel::addressToOpen(std::string_view url) {
    if (!isWebPageAddress(url))
        return std::nullopt;
    return std::string(url);
}

std::string ExtraInfoDialogModel::displayLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace dv
