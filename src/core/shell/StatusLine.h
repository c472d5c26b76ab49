#pragma once

#include <string>

namespace dv {

// The one-line status text at the bottom of the main window. Any part of the
// program writes to it; the last writer wins and an empty text clears it.
class StatusLine {
  public:
    virtual ~StatusLine() = default;
    virtual void setStatusText(const std::string& text) = 0;
};

} // namespace dv
