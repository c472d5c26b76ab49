#pragma once

#include <string_view>

namespace dv {

// Shows and hides the main window's highlight pictures by name.
class HighlightDisplay {
  public:
    virtual ~HighlightDisplay() = default;
    virtual void setHighlightVisible(std::string_view pictureName, bool visible) = 0;
};

} // namespace dv
