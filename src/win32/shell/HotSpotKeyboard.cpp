#include "win32/shell/HotSpotKeyboard.h"

#include "win32/browser/PageFocus.h"

namespace dv::win32 {

namespace {

// The child number of a hot-spot for screen readers: its place among the
// offered ones, from 1.
LONG childIdOf(const HotSpotFocus& focus, const HotSpot& spot) {
    const auto offered = focus.offered();
    for (std::size_t i = 0; i < offered.size(); ++i) {
        if (offered[i] == &spot)
            return static_cast<LONG>(i + 1);
    }
    return CHILDID_SELF;
}

} // namespace

HotSpotKeyboard::HotSpotKeyboard(HWND window, const HotSpotCatalog& catalog, HotSpotFocus& focus,
                                 Events events)
    : window_(window), catalog_(catalog), focus_(focus), events_(std::move(events)) {}

void HotSpotKeyboard::focusSpot(const HotSpot& spot) {
    if (!focus_.isOffered(spot.name))
        return;
    if (GetFocus() != window_)
        SetFocus(window_);
    moveTo(&spot);
}

void HotSpotKeyboard::postClick(const HotSpot& spot) const {
    const auto& spots = catalog_.all();
    PostMessageW(window_, kClickMessage, static_cast<WPARAM>(&spot - spots.data()), 0);
}

void HotSpotKeyboard::moveTo(const HotSpot* spot) {
    invalidateMark();
    focus_.focus(spot);
    invalidateMark();
    if (spot)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, childIdOf(focus_, *spot));
}

void HotSpotKeyboard::tab(bool backward) {
    if (const HotSpot* next = focus_.next(backward)) {
        moveTo(next);
        return;
    }
    moveTo(nullptr);
    if (events_.focusPage && events_.focusPage(backward))
        return;
    // No page to go to: round again.
    moveTo(focus_.next(backward));
}

bool HotSpotKeyboard::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN: {
        const bool repeated = (lParam & (1L << 30)) != 0;
        if (wParam == VK_TAB) {
            tab(GetKeyState(VK_SHIFT) < 0);
            return true;
        }
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && focus_.focused() && !repeated) {
            if (events_.click)
                events_.click(*focus_.focused());
            return true;
        }
        return false;
    }
    case kLeavePageMessage:
        SetFocus(window_);
        moveTo(focus_.next(wParam != 0));
        return true;
    case kClickMessage:
        if (wParam < catalog_.all().size() && focus_.isOffered(catalog_.all()[wParam].name) &&
            events_.click)
            events_.click(catalog_.all()[wParam]);
        return true;
    case WM_KILLFOCUS: {
        // Another program or a dialog: the hot-spot has the focus again on
        // return. The page: Tab goes on from there.
        const HWND to = reinterpret_cast<HWND>(wParam);
        resume_ = to && IsChild(window_, to) ? nullptr : focus_.focused();
        moveTo(nullptr);
        return false;
    }
    case WM_SETFOCUS:
        if (resume_ && focus_.isOffered(resume_->name))
            moveTo(resume_);
        resume_ = nullptr;
        return false;
    default:
        return false;
    }
}

void HotSpotKeyboard::paint(HDC dc) const {
    const HotSpot* spot = focus_.focused();
    if (!spot)
        return;
    const Rect mark = HotSpotFocus::focusMark(*spot);
    const RECT area{mark.left, mark.top, mark.left + mark.width, mark.top + mark.height};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &area);
}

void HotSpotKeyboard::invalidateMark() const {
    if (const HotSpot* spot = focus_.focused()) {
        const Rect mark = HotSpotFocus::focusMark(*spot);
        const RECT area{mark.left, mark.top, mark.left + mark.width, mark.top + mark.height};
        InvalidateRect(window_, &area, FALSE);
    }
}

} // namespace dv::win32
