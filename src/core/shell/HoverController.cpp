#include "core/shell/HoverController.h"

#include "core/shell/HighlightDisplay.h"
#include "core/shell/StatusLine.h"

namespace dv {

HoverController::HoverController(StatusLine& status, HighlightDisplay& highlights)
    : status_(status), highlights_(highlights) {}

void HoverController::enter(const HotSpot& spot) {
    if (!spot.reactsToHover())
        return;
    if (!spot.highlight.empty())
        highlights_.setHighlightVisible(spot.highlight, !spot.highlightNeedsTrack || trackLoaded_);
    status_.setStatusText(spot.statusText);
}

void HoverController::leave(const HotSpot& spot) {
    if (!spot.reactsToHover())
        return;
    if (!spot.highlight.empty())
        highlights_.setHighlightVisible(spot.highlight, false);
    status_.setStatusText({});
}

} // namespace dv
