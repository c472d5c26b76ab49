#include "win32/support/Win32TextMeasure.h"

#include "win32/support/Utf16.h"

namespace dv::win32 {

Win32TextMeasure::Win32TextMeasure(HFONT font) : font_(font) {}

TextSize Win32TextMeasure::measure(std::string_view text, int wrapWidth) const {
    std::wstring wide = widen(text);
    // Static controls break lines at CR LF.
    for (std::size_t at = wide.find(L'\n'); at != std::wstring::npos; at = wide.find(L'\n', at + 2))
        if (at == 0 || wide[at - 1] != L'\r')
            wide.insert(at, 1, L'\r');
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font_);
    RECT room{0, 0, wrapWidth > 0 ? wrapWidth : 1 << 20, 0};
    const UINT flags =
        DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &room, flags);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {static_cast<int>(room.right - room.left), static_cast<int>(room.bottom - room.top)};
}

int Win32TextMeasure::indicatorWidth() const {
    // The box and the gap Windows leaves before the text.
    return GetSystemMetrics(SM_CXMENUCHECK) + 8;
}

} // namespace dv::win32
