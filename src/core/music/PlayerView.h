#pragma once

#include <string>

namespace dv {

// The player's controls on the main window.
class PlayerView {
  public:
    virtual ~PlayerView() = default;
    // The white title and its shadow.
    virtual void setTitleLine(const std::string& text) = 0;
    // The position bar, its click strip, the two time labels and the timer,
    // always together.
    virtual void setPositionDisplayVisible(bool visible) = 0;
    virtual void setPositionText(const std::string& text) = 0;
    virtual void setPositionBar(int percent) = 0;
    virtual void setKnobVisible(bool visible) = 0;
    virtual void setKnobLeft(int left) = 0;
    virtual int knobLeft() const = 0;
    virtual void setKnobHint(const std::string& hint) = 0;
};

} // namespace dv
