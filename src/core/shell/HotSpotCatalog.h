#pragma once

#include "core/shell/DisplayScale.h"
#include "core/shell/HotSpot.h"

#include <string_view>
#include <vector>

namespace dv {

// Every hot-spot label of the main window with its place, hint, status text
// and highlight picture, in the order they are stacked (later ones on top).
class HotSpotCatalog {
  public:
    // magazineHost goes into the status text of the magazine's menu entry.
    explicit HotSpotCatalog(std::string_view magazineHost);

    const std::vector<HotSpot>& all() const { return spots_; }
    // The hot-spot of that name, or nullptr.
    const HotSpot* find(std::string_view name) const;
    // The same hot-spots with their places in a display's physical pixels.
    HotSpotCatalog scaled(const DisplayScale& scale) const;

  private:
    std::vector<HotSpot> spots_;
};

} // namespace dv
