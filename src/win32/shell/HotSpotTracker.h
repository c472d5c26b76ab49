#pragma once

#include "core/shell/HotSpot.h"

#include <functional>
#include <string_view>
#include <vector>

namespace dv::win32 {

// The hot-spot labels as areas of the main window rather than windows of
// their own, as they were graphic controls: the topmost visible one under
// the mouse has it. Turns the window's mouse messages into enter, leave,
// click and mouse-up events of the labels. Knows nothing of windows.
class HotSpotTracker {
  public:
    struct Events {
        std::function<void(const HotSpot&)> enter;
        std::function<void(const HotSpot&)> leave;
        std::function<void(const HotSpot&)> click;
        // A release after a press on the spot, wherever it is, at a point
        // relative to the spot.
        std::function<void(const HotSpot&, int x, int y)> mouseUp;
    };

    // The spots in stacking order, later ones on top; they must outlive this.
    HotSpotTracker(const std::vector<HotSpot>& spots, Events events);

    void setVisible(std::string_view name, bool visible);
    bool isVisible(std::string_view name) const;

    // The topmost visible spot at a client point, or nullptr.
    const HotSpot* at(int x, int y) const;
    // The spot the mouse is on now, or nullptr.
    const HotSpot* current() const { return current_; }

    void mouseMoved(int x, int y);
    // The mouse left the area of the labels (another window, the bare
    // background of the shaped window, or outside).
    void mouseLeft();
    void pressed(int x, int y);
    void released(int x, int y);
    // The press ended without a release here (capture taken away).
    void pressCancelled() { pressed_ = nullptr; }

  private:
    void moveTo(const HotSpot* spot);

    const std::vector<HotSpot>& spots_;
    std::vector<bool> visible_;
    Events events_;
    const HotSpot* current_ = nullptr;
    const HotSpot* pressed_ = nullptr;
};

} // namespace dv::win32
