#include "win32/shell/HotSpotLayer.h"

#include <windowsx.h>

namespace dv::win32 {

namespace {

RECT toRect(const Rect& r) {
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

} // namespace

HotSpotLayer::HotSpotLayer(HWND window, const HotSpotCatalog& catalog, const SkinPictures& skin,
                           HotSpotTracker::Events events)
    : window_(window), catalog_(catalog), skin_(skin), tracker_(catalog.all(), std::move(events)),
      tips_(window) {
    const auto& spots = catalog_.all();
    for (std::size_t i = 0; i < spots.size(); ++i) {
        if (!spots[i].hint.empty())
            tips_.add(toolId(i), spots[i].visibleAtStart ? spots[i].bounds : Rect{}, spots[i].hint);
    }
}

LPCWSTR HotSpotLayer::cursorOf(const HotSpot& spot) const {
    if (!spot.handCursor)
        return IDC_ARROW;
    // Windows before 98 had no hand cursor; the labels said so for themselves.
    return arrowCursors_ && spot.arrowOnOldWindows ? IDC_ARROW : IDC_HAND;
}

void HotSpotLayer::setVisible(std::string_view spot, bool visible) {
    tracker_.setVisible(spot, visible);
    const auto& spots = catalog_.all();
    for (std::size_t i = 0; i < spots.size(); ++i) {
        if (spots[i].name == spot && !spots[i].hint.empty())
            tips_.move(toolId(i), visible ? spots[i].bounds : Rect{});
    }
}

void HotSpotLayer::placesChanged() {
    const auto& spots = catalog_.all();
    for (std::size_t i = 0; i < spots.size(); ++i) {
        if (!spots[i].hint.empty())
            tips_.move(toolId(i), tracker_.isVisible(spots[i].name) ? spots[i].bounds : Rect{});
    }
}

void HotSpotLayer::setHighlightVisible(std::string_view picture, bool visible) {
    const auto it = shownHighlights_.find(picture);
    if (visible == (it != shownHighlights_.end()))
        return;
    if (visible)
        shownHighlights_.emplace(picture);
    else
        shownHighlights_.erase(it);
    for (const HotSpot& spot : catalog_.all()) {
        if (spot.highlight == picture) {
            const RECT area = toRect(spot.highlightBounds);
            InvalidateRect(window_, &area, FALSE);
        }
    }
}

bool HotSpotLayer::controlAt(int x, int y) const {
    if (tracker_.at(x, y))
        return true;
    for (const HotSpot& spot : catalog_.all()) {
        if (!spot.highlight.empty() && isHighlightVisible(spot.highlight) &&
            spot.highlightBounds.contains(x, y))
            return true;
    }
    return false;
}

void HotSpotLayer::paint(HDC dc) const {
    for (const HotSpot& spot : catalog_.all()) {
        if (!spot.highlight.empty() && isHighlightVisible(spot.highlight))
            skin_.highlight(spot.highlight)
                .draw(dc, spot.highlightBounds.left, spot.highlightBounds.top);
    }
}

bool HotSpotLayer::setCursor(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    const HotSpot* spot = tracker_.at(point.x, point.y);
    SetCursor(LoadCursorW(nullptr, spot ? cursorOf(*spot) : IDC_ARROW));
    return true;
}

bool HotSpotLayer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_SETCURSOR:
        return reinterpret_cast<HWND>(wParam) == window_ && setCursor(lParam);
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        tracker_.mouseMoved(x, y);
        return true;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        tracker_.mouseLeft();
        return true;
    case WM_LBUTTONDOWN:
        SetCapture(window_);
        tracker_.pressed(x, y);
        return true;
    case WM_LBUTTONUP:
        // The capture goes first: a click may open a modal window.
        releasing_ = true;
        if (GetCapture() == window_)
            ReleaseCapture();
        releasing_ = false;
        tracker_.released(x, y);
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the mouse in the middle of a press.
        if (!releasing_)
            tracker_.pressCancelled();
        return true;
    default:
        return false;
    }
}

} // namespace dv::win32
