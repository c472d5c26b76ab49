#pragma once

#include "core/shell/Geometry.h"

namespace dv::player::layout {

// The player's controls along the bottom of the main window that are not
// hot-spots, in client pixels, and the colours the skin was made for.
inline constexpr Rect kSongNameWhite{177, 577, 352, 13};
// The shadow lies one pixel right of and below the white text, under it.
inline constexpr Rect kSongNameShadow{178, 578, 351, 12};
inline constexpr Rect kPositionBar{176, 592, 409, 5};
inline constexpr Rect kPosition{544, 577, 41, 13};
inline constexpr Rect kPositionShadow{545, 578, 40, 13};
// The volume knob slides along this row; its left edge is the volume.
inline constexpr int kKnobTop = 578;
inline constexpr int kKnobWidth = 7;
inline constexpr int kKnobHeight = 20;

inline constexpr Rgb kShadow{50, 84, 109};
inline constexpr Rgb kBarBack{224, 234, 241};
inline constexpr Rgb kBarFore{126, 155, 190};

inline constexpr int kPositionTimerMs = 500;
inline constexpr const char* kKnobHint = "Volymkontroll";

} // namespace dv::player::layout
