#pragma once

#include "core/shell/Geometry.h"
#include "win32/support/Window.h"

#include <string>

namespace dv::win32 {

// A panel of the main window: a plain child window of one colour with a
// line of text, either its caption in the centre or a label at a place of
// its own. The text is shown as it is, never as markup or with & prefixes.
class Panel : public Window {
  public:
    struct Look {
        COLORREF background = RGB(255, 255, 255);
        COLORREF text = RGB(0, 0, 0);
        // Where the text goes, in the panel's pixels; empty: the centre.
        Rect textArea{};
        // The text's font; nullptr: the program's font at 100 %.
        HFONT font = nullptr;
    };

    Panel(HWND parent, const Rect& bounds, Look look, const std::string& text = {});

    void setText(const std::string& text);
    // Moves the panel and changes its look, for a display of another scale.
    void rescale(const Rect& bounds, Look look);
    const std::string& text() const { return text_; }

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void paint(HDC dc);

    Look look_;
    std::string text_;
};

} // namespace dv::win32
