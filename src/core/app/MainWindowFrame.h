#pragma once

namespace dv {

// The main window's frame as the start-up sequence sees it.
class MainWindowFrame {
  public:
    virtual ~MainWindowFrame() = default;
    // Gives the window a normal border and caption, turns the colour key off
    // and keeps the client area at the background's size.
    virtual void useBorderedWindow() = 0;
    // From now on right-clicks are swallowed everywhere in the program and
    // keys inside pages behave as in a browser.
    virtual void installMessageHook() = 0;
    // Finds and opens the month's track.
    virtual void loadMusic() = 0;
};

} // namespace dv
