#pragma once

#include "core/shell/Geometry.h"

namespace dv {

class TextMeasure;

// Where the waiting window's controls lie, in client pixels.
struct WaitingWindowLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    Rect Label1;
    Rect ProgressBar1;
    friend bool operator==(const WaitingWindowLayout&, const WaitingWindowLayout&) = default;
};

// The small "Vänta..." window (TProgStartingForm) as both programs draw it:
// a tool window on top of everything, centred, without border icons, whose
// bar sweeps from empty to full in ten seconds and starts over.
class WaitingWindowModel {
  public:
    static constexpr const char* kCaption = "Vänta...";
    static constexpr const char* kText =
        "Vänligen vänta, programmet eller länken du klickade på startas...";
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;
    static constexpr int kTickMs = 100;

    // The form's own places, the label as tall as its lines (the bar moves
    // down with it).
    static WaitingWindowLayout layout(const TextMeasure& measure);

    // Every showing starts from the beginning.
    static constexpr int positionWhenShown() { return kMinimum; }
    // One step a tick; past the end it starts over.
    static constexpr int nextPosition(int position) {
        return position < kMaximum ? position + 1 : kMinimum;
    }
};

} // namespace dv
