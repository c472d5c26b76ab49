#pragma once

#include "core/shell/Geometry.h"

#include <string>

namespace dv {

// One transparent label of the main window that reacts to the mouse.
struct HotSpot {
    std::string name; // the control's name, e.g. "lbNoje"
    Rect bounds;
    std::string hint;       // tooltip; empty for none
    std::string statusText; // written to the status line on enter; empty: no hover texts
    std::string highlight;  // name of the picture shown while hovered; empty for none
    Rect highlightBounds;
    bool highlightTransparent = false; // drawn with its bottom-left colour left out
    bool highlightNeedsTrack = false;  // shown only while a music track is loaded
    bool handCursor = true;
    bool arrowOnOldWindows = false; // falls back to the arrow on Windows before 98
    bool visibleAtStart = true;

    bool reactsToHover() const { return !statusText.empty(); }
};

} // namespace dv
