#pragma once

#include "core/shell/HotSpot.h"

#include <string>

namespace dv {

class BrowserHost;
class HiddenScreenKeys;
class HotSpotCommands;
class HoverController;
class MainWindowActions;

// The one place that turns a hot-spot's events into what the program does:
// the hidden screen's strip arms its keys while the mouse is on it, every
// other hot-spot lights up and explains itself, and a click (or a key that
// acts as one) runs the hot-spot's action from HotSpotAccess.
class HotSpotDispatch {
  public:
    struct Parts {
        HoverController& hover;
        HiddenScreenKeys& keys;
        MainWindowActions& window;
        HotSpotCommands& commands;
        BrowserHost& browser;
        const std::string& discRoot;
    };

    explicit HotSpotDispatch(Parts parts) : p_(parts) {}

    void entered(const HotSpot& spot);
    void left(const HotSpot& spot);
    void clicked(const HotSpot& spot);
    // The button let go after a press on the spot, x from its left edge.
    void released(const HotSpot& spot, int x);

  private:
    Parts p_;
};

} // namespace dv
