#pragma once

#include "core/shell/Geometry.h"

#include <chrono>

namespace dv {

// Where a control of the hidden screen is and whether it shows.
struct Placement {
    Rect bounds;
    bool visible = false;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// The hidden screen's three-second ticks: black, then the picture in the
// middle, then black again, then the player in the middle playing the film.
// The picture and player keep their places between showings, so a second
// showing plays the film at the first tick.
class HiddenScreenTimeline {
  public:
    static constexpr std::chrono::milliseconds kTick{3000};

    // tick: the time between ticks; the program keeps kTick, a test may
    // take a shorter one so that it need not wait on the clock.
    explicit HiddenScreenTimeline(std::chrono::milliseconds tick = kTick);

    std::chrono::milliseconds tickInterval() const { return tick_; }

    void formShow() { timerEnabled_ = true; }
    // One tick in a window of that client size; true when the player is to
    // open the film now.
    bool tick(int windowWidth, int windowHeight);

    bool timerEnabled() const { return timerEnabled_; }
    const Placement& image() const { return image_; }
    const Placement& player() const { return player_; }

  private:
    Placement image_;
    Placement player_;
    std::chrono::milliseconds tick_;
    bool timerEnabled_ = false;
};

} // namespace dv
