#pragma once

#include "linux/startwindow/StartWindowPicture.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

namespace dv {

// The start window on X11 through xcb alone: the picture at the main
// window's size and place, shaped like it, with a busy cursor and a bar that
// keeps moving where the page's progress bar will be. It needs no toolkit,
// no font and no file but its picture, so it shows after a few hundred
// kilobytes read from the disc.
class XcbStartWindow {
  public:
    // Nothing when there is no X display, or one whose pixels this window
    // cannot write (not true colour with 8 bits a channel in 32-bit pixels).
    static std::optional<XcbStartWindow> open(const StartWindowPicture& picture);
    XcbStartWindow(XcbStartWindow&& other) noexcept;
    XcbStartWindow& operator=(XcbStartWindow&&) = delete;
    XcbStartWindow(const XcbStartWindow&) = delete;
    ~XcbStartWindow();

    // Handles what the server sent and moves the bar on; false once the
    // connection is gone. True in *painted once the window has been drawn
    // on the screen for the first time.
    bool update(bool* painted);
    int fileDescriptor() const;

  private:
    explicit XcbStartWindow(xcb_connection_t* connection);
    bool create(const StartWindowPicture& picture);
    void paint();
    void paintBar();
    std::uint32_t pixelOf(std::uint32_t rgb) const;

    xcb_connection_t* connection_;
    xcb_screen_t* screen_ = nullptr;
    std::uint8_t depth_ = 0;
    std::uint32_t redShift_ = 0;
    std::uint32_t greenShift_ = 0;
    std::uint32_t blueShift_ = 0;
    xcb_window_t window_ = 0;
    xcb_pixmap_t picture_ = 0;
    xcb_gcontext_t gc_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool exposed_ = false;
    bool reportedPainted_ = false;
    int barStep_ = 0;
};

} // namespace dv
