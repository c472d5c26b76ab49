#include "core/browser/FrameWatch.h"

namespace dv {

void FrameWatch::frameShows(PageKind kind) {
    if (kind == PageKind::Web || kind == PageKind::Outside)
        foreign_ = true;
}

} // namespace dv
