#pragma once

#include "core/browser/PageRouting.h"

namespace dv {

// Whether the page in the panel may run its command links as far as its
// frames go. A page in a frame can move the top browser (target="_top",
// top.location), and the Windows control names only the top browser as the
// one that navigates, so a web page framed by a disc page could run the
// disc page's commands. Once any frame of the current page has shown a page
// from outside the disc, the page's command links are refused until the top
// browser shows a disc page again.
class FrameWatch {
  public:
    // The top browser shows a new page, with frames of its own to come.
    void topPageShown(PageKind kind) { foreign_ = kind != PageKind::Disc; }
    // A frame of the current page shows (or is about to show) this kind of
    // page. Blank pages, a disc page's own data and missing files are the
    // page's own business.
    void frameShows(PageKind kind);
    bool commandsAllowed() const { return !foreign_; }

  private:
    bool foreign_ = false;
};

} // namespace dv
