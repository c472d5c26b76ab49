#pragma once

#include <optional>
#include <string>

namespace dv::player {

// Rounds to the nearest integer, ties to even, as the player's sums do.
long roundEven(double value);

// "mm:ss" from milliseconds, minutes past 99 taking more digits; "--:--"
// when the value could not be read.
std::string formatTime(std::optional<long> milliseconds);

// The position in percent of the length; 0 when either is unknown or the
// length is zero.
int relativePosition(std::optional<long> position, std::optional<long> length);

// Where a click at x on the bar of that width seeks to, unclamped.
long seekTarget(long length, int x, int barWidth);

// The volume knob: left 62 is silence, 139 full volume (65535).
inline constexpr int kKnobMin = 62;
inline constexpr int kKnobMax = 139;
int knobLeftForVolume(int volume); // -1 (no volume control) gives 62
int volumeForKnob(int left);
int percentOfVolume(int volume);
int clampKnob(int left);

} // namespace dv::player
