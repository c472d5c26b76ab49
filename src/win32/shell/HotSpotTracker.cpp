#include "win32/shell/HotSpotTracker.h"

namespace dv::win32 {

HotSpotTracker::HotSpotTracker(const std::vector<HotSpot>& spots, Events events)
    : spots_(spots), events_(std::move(events)) {
    for (const HotSpot& spot : spots_)
        visible_.push_back(spot.visibleAtStart);
}

void HotSpotTracker::setVisible(std::string_view name, bool visible) {
    for (std::size_t i = 0; i < spots_.size(); ++i) {
        if (spots_[i].name != name)
            continue;
        visible_[i] = visible;
        // A label that disappears under the mouse is left.
        if (!visible && current_ == &spots_[i])
            moveTo(nullptr);
        if (!visible && pressed_ == &spots_[i])
            pressed_ = nullptr;
    }
}

bool HotSpotTracker::isVisible(std::string_view name) const {
    for (std::size_t i = 0; i < spots_.size(); ++i) {
        if (spots_[i].name == name)
            return visible_[i];
    }
    return false;
}

const HotSpot* HotSpotTracker::at(int x, int y) const {
    for (std::size_t i = spots_.size(); i-- > 0;) {
        if (visible_[i] && spots_[i].bounds.contains(x, y))
            return &spots_[i];
    }
    return nullptr;
}

void HotSpotTracker::moveTo(const HotSpot* spot) {
    if (spot == current_)
        return;
    const HotSpot* old = current_;
    current_ = spot;
    if (old && events_.leave)
        events_.leave(*old);
    if (spot && events_.enter)
        events_.enter(*spot);
}

void HotSpotTracker::mouseMoved(int x, int y) {
    moveTo(at(x, y));
}

void HotSpotTracker::mouseLeft() {
    moveTo(nullptr);
}

void HotSpotTracker::pressed(int x, int y) {
    mouseMoved(x, y);
    pressed_ = at(x, y);
}

void HotSpotTracker::released(int x, int y) {
    const HotSpot* spot = pressed_;
    pressed_ = nullptr;
    if (!spot)
        return;
    if (events_.mouseUp)
        events_.mouseUp(*spot, x - spot->bounds.left, y - spot->bounds.top);
    // A click is a press and a release on the same label.
    if (spot->bounds.contains(x, y) && events_.click)
        events_.click(*spot);
}

} // namespace dv::win32
