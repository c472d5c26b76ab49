#pragma once

namespace dv {

// What the main window does for the hot-spots that open no page and are not
// the window's own minimise and exit: the file search window and the player.
class HotSpotCommands {
  public:
    virtual ~HotSpotCommands() = default;
    // Shows the file search window, not modal.
    virtual void showFileSearch() = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void saveTrack() = 0;
    // A release on the position bar at x of its width.
    virtual void seek(int x, int width) = 0;
};

} // namespace dv
