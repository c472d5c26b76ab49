#pragma once

#include "core/shell/WinVersion.h"

#include <optional>

namespace dv {

// What the start-up rules need to know about the machine. Windows answers with
// its version record; other platforms have none and answer with what the
// display can do instead.
struct PlatformFacts {
    std::optional<OsVersionRecord> windowsVersion; // empty off Windows, or when the query failed
    bool isWindows = false;
    int colourDepth = 0;          // bits per pixel of the display
    bool canShapeWindows = false; // off Windows: the window system cuts windows to a mask
};

// True when the shaped (borderless, colour-keyed) main window may be used.
// Windows: only the NT 5.x family at 24 bits or more, the versions whose
// layered windows the skin was made for. Elsewhere: a display of 24 bits or
// more that can shape windows.
bool useTransparency(const PlatformFacts& facts);

// True when the hot-spot labels should show the default arrow instead of the
// hand: Windows older than Windows 98, whose hand cursor is missing.
bool useArrowCursors(const PlatformFacts& facts);

} // namespace dv
