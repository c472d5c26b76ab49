#pragma once

#include "core/shell/HotSpotFocus.h"

#include <windows.h>

#include <functional>

namespace dv::win32 {

// The keyboard's way to the hot-spots, which are areas of the main window
// and not windows: while the window itself has the keyboard focus, Tab and
// Shift+Tab move between them as HotSpotFocus says, Enter and Space click
// the one with the focus, and a dotted focus mark shows where it is.
// Screen readers hear of every move.
class HotSpotKeyboard {
  public:
    struct Events {
        std::function<void(const HotSpot&)> click;
        // Gives the page the focus; false when there is no page to go to.
        std::function<bool(bool backward)> focusPage;
    };

    // Posted by a screen reader's default action: wParam is the hot-spot's
    // index in the catalog. Run after the reader's call has returned.
    static constexpr UINT kClickMessage = WM_USER + 5;

    HotSpotKeyboard(HWND window, const HotSpotCatalog& catalog, HotSpotFocus& focus, Events events);

    // Gives the window the keyboard focus and the hot-spot with it.
    void focusSpot(const HotSpot& spot);
    void postClick(const HotSpot& spot) const;
    // The window's key, focus and posted messages; true when handled here.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the focus mark while the window has the focus.
    void paint(HDC dc) const;

  private:
    void moveTo(const HotSpot* spot);
    void tab(bool backward);
    void invalidateMark() const;

    HWND window_;
    const HotSpotCatalog& catalog_;
    HotSpotFocus& focus_;
    Events events_;
    // The hot-spot that had the focus when another window took it.
    const HotSpot* resume_ = nullptr;
};

} // namespace dv::win32
