#pragma once

#include "core/shell/Geometry.h"
#include "core/shell/TextMeasure.h"
#include "win32/support/WindowDpi.h"

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

// The dialogs' models lay them out in logical units (as at 100 %); their
// windows show them at the system's display scale, as centredOnScreen sizes
// them. Texts are measured in the 100 % font, so a layout is the same on
// every screen and only its drawing scales.

// A model's place as a RECT of left, top, right, bottom, at the display's scale.
inline RECT toRect(const Rect& logical) {
    const Rect r = systemScale().toPhysical(logical);
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

// Moves and sizes a control to a model's place, at the display's scale.
inline void place(HWND control, const Rect& logical) {
    const Rect r = systemScale().toPhysical(logical);
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace dv::win32
