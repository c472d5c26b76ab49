#include "core/shell/HotSpotFocus.h"

#include "core/shell/HotSpotAccess.h"
#include "core/shell/HoverController.h"

#include <algorithm>

namespace dv {

HotSpotFocus::HotSpotFocus(const HotSpotCatalog& catalog, HoverController& hover)
    : catalog_(catalog), hover_(hover) {
    for (const HotSpot& spot : catalog_.all()) {
        if (!spot.visibleAtStart)
            hidden_.push_back(spot.name);
    }
}

void HotSpotFocus::setVisible(std::string_view name, bool visible) {
    const auto it = std::find(hidden_.begin(), hidden_.end(), name);
    if (visible && it != hidden_.end())
        hidden_.erase(it);
    else if (!visible && it == hidden_.end())
        hidden_.emplace_back(name);
    // A hot-spot that disappears takes the focus with it.
    if (!visible && focused_ && focused_->name == name)
        focus(nullptr);
}

bool HotSpotFocus::isVisible(std::string_view name) const {
    return std::find(hidden_.begin(), hidden_.end(), name) == hidden_.end();
}

bool HotSpotFocus::isOffered(std::string_view name) const {
    const HotSpotAccessEntry* entry = HotSpotAccess::find(name);
    return entry && entry->offered && catalog_.find(name) && isVisible(name);
}

std::vector<const HotSpot*> HotSpotFocus::offered() const {
    std::vector<const HotSpot*> spots;
    for (const HotSpotAccessEntry& entry : HotSpotAccess::table()) {
        if (isOffered(entry.name))
            spots.push_back(catalog_.find(entry.name));
    }
    return spots;
}

std::vector<const HotSpot*> HotSpotFocus::tabStops() const {
    std::vector<const HotSpot*> spots = offered();
    std::erase_if(spots,
                  [](const HotSpot* spot) { return !HotSpotAccess::find(spot->name)->tabStop; });
    return spots;
}

const HotSpot* HotSpotFocus::next(bool backward) const {
    const std::vector<const HotSpot*> stops = tabStops();
    if (stops.empty())
        return nullptr;
    const auto here = std::find(stops.begin(), stops.end(), focused_);
    if (here == stops.end())
        return backward ? stops.back() : stops.front();
    if (backward)
        return here == stops.begin() ? nullptr : *(here - 1);
    return here + 1 == stops.end() ? nullptr : *(here + 1);
}

void HotSpotFocus::focus(const HotSpot* spot) {
    if (spot == focused_)
        return;
    const HotSpot* old = focused_;
    focused_ = spot;
    if (old)
        hover_.leave(*old);
    if (spot)
        hover_.enter(*spot);
}

HotSpotFocus::KeyUse HotSpotFocus::use(Key key) {
    switch (key) {
    case Key::Tab:
    case Key::BackTab:
        return KeyUse::MoveFocus;
    case Key::Enter:
    case Key::Space:
        return KeyUse::Click;
    case Key::Other:
        break;
    }
    // Typed characters still reach the window, so the hidden screen's keys
    // work whatever has the focus.
    return KeyUse::NotOurs;
}

Rect HotSpotFocus::focusMark(const HotSpot& spot) {
    return spot.bounds;
}

} // namespace dv
