#include "update/UpdateConsent.h"

namespace dv {

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
