#pragma once

#include "shell/Geometry.h"
#include "shell/TextMeasure.h"

#include <windows.h>

namespace dv::win32 {

// Measures texts in a font as static controls and buttons draw them.
class Win32TextMeasure : public TextMeasure {
public:
    explicit Win32TextMeasure(HFONT font);

    TextSize measure(std::string_view text, int wrapWidth) const override;
    int indicatorWidth() const override;

private:
    HFONT font_;
};

// A model's place as a RECT of left, top, right, bottom.
inline RECT toRect(const Rect& r) { return {r.left, r.top, r.left + r.width, r.top + r.height}; }

// Moves and sizes a control to a model's place.
inline void place(HWND control, const Rect& r) {
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace dv::win32
