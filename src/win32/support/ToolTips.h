#pragma once

#include "shell/Geometry.h"

#include <windows.h>

#include <string>

namespace dv::win32 {

// The common controls' tooltip window for areas of one window: each tool is
// a rectangle of the owner's client area with a plain text (no & prefixes).
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
    HWND owner_;
    HWND tips_;
};

} // namespace dv::win32
