#pragma once

#include "core/shell/HotSpotCatalog.h"
#include "win32/shell/HotSpotTracker.h"
#include "win32/shell/SkinPictures.h"
#include "win32/support/ToolTips.h"

#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace dv::win32 {

// The hot-spot labels of a window and their highlight pictures, kept as
// areas of the window rather than windows, as they were graphic controls:
// the window hands its mouse messages here. Tracks which label has the
// mouse (TrackMouseEvent tells when it left), shows the labels' hints
// through one tooltip control, chooses their cursors, and keeps and paints
// the shown highlights.
class HotSpotLayer {
  public:
    HotSpotLayer(HWND window, const HotSpotCatalog& catalog, const SkinPictures& skin,
                 HotSpotTracker::Events events);

    // Labels that fall back to the arrow (Windows before 98) show it.
    void setArrowCursors(bool arrows) { arrowCursors_ = arrows; }
    LPCWSTR cursorOf(const HotSpot& spot) const;

    void setVisible(std::string_view spot, bool visible);
    // The catalog's places changed (a display of another scale): the hints
    // move with them.
    void placesChanged();
    void setHighlightVisible(std::string_view picture, bool visible);
    bool isHighlightVisible(std::string_view picture) const {
        return shownHighlights_.contains(picture);
    }

    // True where a visible label or a shown highlight lies: a control to the
    // drag test.
    bool controlAt(int x, int y) const;
    // Draws the shown highlights, in stacking order.
    void paint(HDC dc) const;

    // The window's mouse and cursor messages; true when handled here.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);

    const ToolTips& toolTips() const { return tips_; }
    // The tooltip tool of a hot-spot (its index in the catalog).
    static UINT toolId(std::size_t index) { return static_cast<UINT>(index + 1); }

  private:
    bool setCursor(LPARAM lParam);

    HWND window_;
    const HotSpotCatalog& catalog_;
    const SkinPictures& skin_;
    HotSpotTracker tracker_;
    ToolTips tips_;
    std::set<std::string, std::less<>> shownHighlights_;
    bool arrowCursors_ = false;
    bool trackingLeave_ = false;
    bool releasing_ = false;
};

} // namespace dv::win32
