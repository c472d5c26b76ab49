#pragma once

// Helpers for tests that open real windows under Wine: running the message
// loop for a while or until something holds, reading what a window paints,
// moving the real mouse pointer.

#include <windows.h>

#include "core/shell/Geometry.h"
#include "core/shell/PlatformFacts.h"

#include <cstdint>

#include <functional>
#include <memory>

namespace dv::wintest {

// Dispatches the thread's messages until done() holds or the time is up;
// returns done().
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Dispatches the thread's messages for that long. Only for what no
// condition can tell; prefer handlePosted() or pumpUntil().
void pumpFor(int ms);
// Dispatches the thread's messages until every message posted to the
// thread before the call has been handled, and what handling them posted in
// turn; false when that took longer than the limit.
bool handlePosted(int timeoutMs = 3000);
// Dispatches the thread's messages until a timer of that interval, started
// now, has fired: a timer of the thread's due no later has fired by then.
// For checks that something never happens on a timer of the program's.
void pumpPastTimer(int ms);

// The screen point of a point in a window's client area.
POINT onScreen(HWND window, int x, int y);
// Puts the real mouse pointer there and lets the window see it arrive.
void moveMouseTo(HWND window, int x, int y);

// What a window paints of its client area, as WM_PRINTCLIENT draws it.
class ClientPicture {
  public:
    explicit ClientPicture(HWND window);
    Rgb at(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::shared_ptr<void> bitmap_;
    const unsigned char* bits_ = nullptr;
};

// A Windows of the given version and colour depth that can shape windows,
// as the start-up tick reads it.
inline PlatformFacts windowsFacts(std::uint32_t major, std::uint32_t minor, int depth,
                                  std::uint32_t platform = OsVersionRecord::kPlatformNT) {
    PlatformFacts facts;
    facts.isWindows = true;
    facts.windowsVersion = OsVersionRecord{platform, major, minor, ""};
    facts.colourDepth = depth;
    facts.canShapeWindows = true;
    return facts;
}

} // namespace dv::wintest
