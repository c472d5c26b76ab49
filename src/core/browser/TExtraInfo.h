#pragma once

#include <string>

namespace dv {

// A note the update service attached to an item on the disc.
struct TExtraInfo {
    std::string FileName;    // a piece of the targets it applies to
    std::string Information; // shown to the reader
    std::string Url;         // more information on the web; empty for none
    bool CanRun = false;     // the item may still be started after reading
};

} // namespace dv
