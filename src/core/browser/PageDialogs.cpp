#include "core/browser/PageDialogs.h"

#include "core/shell/MainWindowLayout.h"

namespace dv {

std::optional<PageDialogModel> PageDialogs::open(PageDialogKind kind, std::string_view text,
                                                 std::string_view defaultValue,
                                                 Clock::time_point now) {
    if (stopped_)
        return std::nullopt;
    const bool followsClosely = lastAnswer_ && now - *lastAnswer_ <= kInARow;
    inARow_ = followsClosely ? inARow_ + 1 : 0;

    PageDialogModel box;
    const std::string title = layout::kApplicationTitle;
    box.caption = title + (kind == PageDialogKind::Alert ? " - Meddelande från sidan"
                                                         : " - Fråga från sidan");
    box.text = std::string(text);
    box.okText = "OK";
    if (kind != PageDialogKind::Alert)
        box.cancelText = "Avbryt";
    if (kind == PageDialogKind::Prompt) {
        box.hasInput = true;
        box.defaultValue = std::string(defaultValue);
    }
    if (inARow_ >= kBoxesBeforeOffer)
        box.stopText = "Låt inte sidan visa fler rutor";
    return box;
}

void PageDialogs::answered(bool stopFurther, Clock::time_point now) {
    lastAnswer_ = now;
    stopped_ = stopped_ || stopFurther;
}

void PageDialogs::pageChanged() {
    inARow_ = 0;
    lastAnswer_.reset();
    stopped_ = false;
}

} // namespace dv
