#pragma once

#include "core/shell/Geometry.h"

#include <windows.h>

#include <string>

namespace dv::win32 {

// The common controls' tooltip window for areas of one window: each tool is
// a rectangle of the owner's client area with a plain text (no & prefixes).
// The owner's mouse messages reach it through a subclass of its own: the
// control's TTF_SUBCLASS uses one subclass id for every tooltip control, so
// of two on one window (the hot-spots' and the player's) only the last
// made would ever show.
class ToolTips {
  public:
    explicit ToolTips(HWND owner);
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;
    ~ToolTips();

    void add(UINT id, const Rect& area, const std::string& text);
    // An empty area switches the tool off (its control is hidden).
    void move(UINT id, const Rect& area);
    void setText(UINT id, const std::string& text);
    std::string text(UINT id) const;
    HWND handle() const { return tips_; }

  private:
    static LRESULT CALLBACK relay(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR tips);

    HWND owner_;
    HWND tips_;
};

} // namespace dv::win32
