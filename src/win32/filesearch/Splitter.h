#pragma once

#include "win32/support/Window.h"

#include <functional>

namespace dv::win32 {

// A vertical bar between two panes that the reader drags sideways. It moves
// itself as it is dragged, never closer than the minimum to either edge of
// its parent, and tells its owner where it now lies, so that the panes
// follow as it moves.
class Splitter : public Window {
  public:
    static constexpr int kWidth = 3;
    static constexpr int kMinimum = 30; // the smallest pane

    // `moved` gets the bar's new left edge in the parent's client area.
    Splitter(HWND parent, std::function<void(int left)> moved);

    // Where a bar whose left edge is wanted at `left` may lie in a parent
    // `parentWidth` wide.
    static int allowedLeft(int left, int parentWidth);

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void drag(LPARAM lParam);

    std::function<void(int)> moved_;
    int grip_ = 0; // where in the bar the press landed
    bool dragging_ = false;
};

} // namespace dv::win32
