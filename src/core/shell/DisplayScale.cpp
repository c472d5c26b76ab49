#include "core/shell/DisplayScale.h"

#include <array>
#include <cstdint>

namespace dv {

namespace {

constexpr std::array<int, 7> kBakedPercents{100, 125, 150, 175, 200, 250, 300};

// value * numerator / denominator, rounded to the nearest, halves away from zero.
int scaledRounded(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t result =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(result);
}

// value * numerator / denominator, rounded down.
int scaledFloor(int value, int numerator, int denominator) {
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    std::int64_t result = product / denominator;
    if (product % denominator != 0 && product < 0)
        --result;
    return static_cast<int>(result);
}

} // namespace

DisplayScale::DisplayScale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

int DisplayScale::percent() const {
    return scaledRounded(100, dpi_, kBaseDpi);
}

int DisplayScale::toPhysical(int logical) const {
    return scaledRounded(logical, dpi_, kBaseDpi);
}

Rect DisplayScale::toPhysical(const Rect& logical) const {
    const int left = toPhysical(logical.left);
    const int top = toPhysical(logical.top);
    return {left, top, toPhysical(logical.left + logical.width) - left,
            toPhysical(logical.top + logical.height) - top};
}

int DisplayScale::toLogical(int physical) const {
    // The last logical pixel whose scaled left edge is at or before the
    // physical one: the exact inverse of toPhysical's rounding.
    int logical = scaledFloor(physical, kBaseDpi, dpi_);
    while (toPhysical(logical + 1) <= physical)
        ++logical;
    while (toPhysical(logical) > physical)
        --logical;
    return logical;
}

int DisplayScale::fontHeight(int logicalPixels) const {
    const int height = toPhysical(logicalPixels);
    return height < 1 ? 1 : height;
}

int DisplayScale::picturePercent() const {
    // Compared in dpi, so that 120 dpi is exactly 125 %.
    for (const int baked : kBakedPercents) {
        if (static_cast<std::int64_t>(baked) * kBaseDpi >= static_cast<std::int64_t>(dpi_) * 100)
            return baked;
    }
    return kBakedPercents.back();
}

std::span<const int> bakedPicturePercents() {
    return kBakedPercents;
}

Point anchoredWindowOrigin(Point pointer, Point oldClientOrigin, const DisplayScale& from,
                           const DisplayScale& to, Point clientOffset) {
    // The place of the skin under the pointer, in logical units, kept to a
    // fraction of a pixel: the pointer lies at that place again afterwards.
    const std::int64_t dx = static_cast<std::int64_t>(pointer.x - oldClientOrigin.x);
    const std::int64_t dy = static_cast<std::int64_t>(pointer.y - oldClientOrigin.y);
    const auto moved = [&](std::int64_t d) {
        const std::int64_t product = d * to.dpi();
        const std::int64_t half = from.dpi() / 2;
        return static_cast<int>(product >= 0 ? (product + half) / from.dpi()
                                             : -((-product + half) / from.dpi()));
    };
    return {pointer.x - moved(dx) - clientOffset.x, pointer.y - moved(dy) - clientOffset.y};
}

} // namespace dv
