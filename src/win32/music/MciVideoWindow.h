#pragma once

#include "win32/music/MciDevice.h"
#include "win32/support/Window.h"

#include <string>

namespace dv::win32 {

// A black child window that plays a film inside itself on the DirectShow
// MCI device, which recognises the film by its content whatever its name.
class MciVideoWindow : public Window {
  public:
    // Created hidden.
    MciVideoWindow(HWND parent, RECT bounds);

    // Opens the film and starts playing it. A film that cannot be opened
    // leaves the window black; lastError() says why.
    void play(const std::string& path);
    void stop();
    bool playing() const;
    const std::string& lastError() const { return lastError_; }

  private:
    MciDevice film_;
    std::string lastError_;
};

} // namespace dv::win32
