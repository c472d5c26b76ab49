#pragma once

#include "core/shell/Geometry.h"

#include <span>

namespace dv {

// A point in pixels of a window's client area or of the screen.
struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// The display's scale as Windows reports it, in dots per inch (96 is 100 %).
// The window is laid out in logical units (the 800 x 600 of the skin); this
// turns them into the display's physical pixels and back. Edges are scaled,
// not sizes, so places that touch in logical units touch on the display too
// and the skin's 800 x 600 always fills the scaled client area exactly.
class DisplayScale {
  public:
    static constexpr int kBaseDpi = 96;

    // A dpi of zero or less (a failed query) counts as 100 %.
    explicit DisplayScale(int dpi = kBaseDpi);

    int dpi() const { return dpi_; }
    // The scale in percent, rounded (120 dpi: 125).
    int percent() const;
    bool isIdentity() const { return dpi_ == kBaseDpi; }

    // A logical coordinate in physical pixels, rounded to the nearest, halves
    // away from zero.
    int toPhysical(int logical) const;
    // A logical rectangle in physical pixels: its edges scaled.
    Rect toPhysical(const Rect& logical) const;
    // A physical pixel in logical units: the logical pixel it lies in.
    int toLogical(int physical) const;
    // A font's height, given in logical pixels, in physical pixels; at least 1.
    int fontHeight(int logicalPixels) const;

    // The scale the skin's pictures are drawn at for this display: the
    // smallest of the baked scales at or above it, else the largest.
    int picturePercent() const;

    friend bool operator==(const DisplayScale&, const DisplayScale&) = default;

  private:
    int dpi_;
};

// The scales, in percent, at which the skin's pictures are baked: those
// Windows offers for its displays.
std::span<const int> bakedPicturePercents();

// Where a window's top-left corner goes when its display's scale changes
// while the pointer is over it, so that the pointer stays over the same place
// of the skin: pointer and corner are screen points, clientOffset is where the
// client area starts inside the window in the new scale.
Point anchoredWindowOrigin(Point pointer, Point oldClientOrigin, const DisplayScale& from,
                           const DisplayScale& to, Point clientOffset = {});

} // namespace dv
