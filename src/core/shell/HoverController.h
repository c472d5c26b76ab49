#pragma once

#include "core/shell/HotSpot.h"

namespace dv {

class HighlightDisplay;
class StatusLine;

// What happens when the mouse enters and leaves a hot-spot: the highlight
// picture shows only in between, the status line explains the hot-spot, and
// leaving always clears the status line, whoever wrote to it meanwhile.
class HoverController {
  public:
    HoverController(StatusLine& status, HighlightDisplay& highlights);

    void enter(const HotSpot& spot);
    void leave(const HotSpot& spot);

    // Play and stop light up only while a track is loaded.
    void setTrackLoaded(bool loaded) { trackLoaded_ = loaded; }
    bool trackLoaded() const { return trackLoaded_; }

  private:
    StatusLine& status_;
    HighlightDisplay& highlights_;
    bool trackLoaded_ = false;
};

} // namespace dv
