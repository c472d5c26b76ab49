#include "core/music/PlayerMath.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dv::player {

long roundEven(double value) {
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    return static_cast<long>(std::nearbyint(value));
}

std::string formatTime(std::optional<long> milliseconds) {
    if (!milliseconds || *milliseconds < 0)
        return "--:--";
    char text[32];
    std::snprintf(text, sizeof text, "%.02ld:%.02ld", *milliseconds / 60000,
                  (*milliseconds % 60000) / 1000);
    return text;
}

int relativePosition(std::optional<long> position, std::optional<long> length) {
    if (!position || !length || *length == 0)
        return 0;
    // The product is 32-bit in the old player; positions fit easily.
    return static_cast<int>(
        roundEven(static_cast<double>(*position * 100) / static_cast<double>(*length)));
}

long seekTarget(long length, int x, int barWidth) {
    if (barWidth <= 0)
        return 0;
    return roundEven(static_cast<double>(length) * (static_cast<double>(x) / barWidth));
}

int knobLeftForVolume(int volume) {
    if (volume < 0)
        return kKnobMin;
    return static_cast<int>(roundEven(volume / 65536.0 * 77)) + kKnobMin;
}

int volumeForKnob(int left) {
    return static_cast<int>(roundEven(static_cast<double>((left - kKnobMin) * 65535) / 77));
}

int percentOfVolume(int volume) {
    return static_cast<int>(roundEven(volume / 655.35));
}

int clampKnob(int left) {
    return std::clamp(left, kKnobMin, kKnobMax);
}

} // namespace dv::player
