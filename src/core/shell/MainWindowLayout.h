#pragma once

#include "core/shell/Geometry.h"

namespace dv::layout {

// The main window and the controls that are not hot-spots. Hot-spots live in
// HotSpotCatalog.
inline constexpr int kClientWidth = 800;
inline constexpr int kClientHeight = 600;

// The window's own colour, also its colour key.
inline constexpr Rgb kSkyBlue{166, 202, 240};
// The background picture's corner colour; it is left out when the picture is
// drawn, so those areas become holes in the shaped window.
inline constexpr Rgb kBackgroundCorner{163, 180, 218};
inline constexpr Rgb kStatusPanelColour{243, 243, 243};

inline constexpr Rect kIEPanel{8, 122, 784, 432};
inline constexpr Rect kPanel2{10, 558, 735, 15};
inline constexpr Rect kStatusLabel{1, 1, 724, 16}; // inside Panel2
inline constexpr Rect kPanel1{900, 96, 185, 137};  // outside the client area, never seen
inline constexpr Rect kDocumentProgress{592, 580, 197, 17};

inline constexpr const char* kApplicationTitle = "Datavinds cd";
inline constexpr const char* kWindowCaption = "Datavinds CD";
inline constexpr const char* kIEPanelCaption = "Startar Datavinds CD...";
inline constexpr const char* kBrowserFailedText = "Kunde inte skapa IE";

// The start page, relative to the disc root.
inline constexpr const char* kStartPage = "docs/ettan/index.htm";

// The start-up work runs this long after the message loop has started, so
// that the window is already visible while the browser is created.
inline constexpr int kStartupDelayMs = 500;

} // namespace dv::layout
