#include "core/update/UpdateConsent.h"

namespace dv {

ConsentAnswer ConsentAnswer::fromControls(bool closedWithButton, bool yes, bool no,
                                          bool dontRemind) {
    ConsentAnswer answer;
    answer.dontRemind = dontRemind;
    if (closedWithButton && (yes || no))
        answer.checkAtStart = yes;
    return answer;
}

bool UpdateConsent::startPageLoaded(ConsentDialog& dialog) {
    // Only the first start page of a run counts.
    if (done_)
        return false;
    done_ = true;
    if (settings_.checkAtStart)
        return *settings_.checkAtStart;
    if (settings_.dontRemind)
        return false;
    const ConsentAnswer answer = dialog.ask();
    settings_.dontRemind = answer.dontRemind;
    if (answer.checkAtStart)
        settings_.checkAtStart = answer.checkAtStart;
    return settings_.checkAtStart.value_or(false);
}

} // namespace dv
