#include "shell/HiddenScreenTimeline.h"

namespace dv {

namespace {

void centre(Placement& p, int windowWidth, int windowHeight) {
    p.left = (windowWidth - p.width) / 2;
    p.top = (windowHeight - p.height) / 2;
}

} // namespace

HiddenScreenTimeline::HiddenScreenTimeline()
    : image_{272, 152, 253, 152, false}, player_{144, 184, 320, 240, false} {}

bool HiddenScreenTimeline::tick(int windowWidth, int windowHeight) {
    // Three tests in this order within one tick.
    bool open = false;
    if (image_.left == -image_.width) {
        timerEnabled_ = false;
        centre(player_, windowWidth, windowHeight);
        player_.visible = true;
        open = true;
    }
    if (image_.visible) {
        // Out of sight, but still marked visible.
        image_.left = -image_.width;
        image_.top = -image_.height;
    }
    if (!image_.visible) {
        centre(image_, windowWidth, windowHeight);
        image_.visible = true;
    }
    return open;
}

} // namespace dv
