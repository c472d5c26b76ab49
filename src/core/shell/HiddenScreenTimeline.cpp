#include "core/shell/HiddenScreenTimeline.h"

namespace dv {

namespace {

void centre(Rect& r, int windowWidth, int windowHeight) {
    r.left = (windowWidth - r.width) / 2;
    r.top = (windowHeight - r.height) / 2;
}

} // namespace

HiddenScreenTimeline::HiddenScreenTimeline(std::chrono::milliseconds tick)
    : image_{{272, 152, 253, 152}, false}, player_{{144, 184, 320, 240}, false}, tick_(tick) {}

bool HiddenScreenTimeline::tick(int windowWidth, int windowHeight) {
    // Three tests in this order within one tick.
    bool open = false;
    Rect& picture = image_.bounds;
    if (picture.left == -picture.width) {
        timerEnabled_ = false;
        centre(player_.bounds, windowWidth, windowHeight);
        player_.visible = true;
        open = true;
    }
    if (image_.visible) {
        // Out of sight, but still marked visible.
        picture.left = -picture.width;
        picture.top = -picture.height;
    }
    if (!image_.visible) {
        centre(picture, windowWidth, windowHeight);
        image_.visible = true;
    }
    return open;
}

} // namespace dv
