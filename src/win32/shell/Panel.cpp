#include "shell/Panel.h"

#include "support/UiFont.h"
#include "support/Utf16.h"

namespace dv::win32 {

Panel::Panel(HWND parent, const Rect& bounds, Look look, const std::string& text) : look_(look), text_(text) {
    create({L"DatavindPanel"}, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"",
           {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height}, parent);
}

void Panel::setText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void Panel::paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd(), &client);
    const HBRUSH brush = CreateSolidBrush(look_.background);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    if (text_.empty())
        return;
    const HGDIOBJ oldFont = SelectObject(dc, uiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look_.text);
    const std::wstring wide = widen(text_);
    const Rect& a = look_.textArea;
    if (a.width > 0) {
        RECT area{a.left, a.top, a.left + a.width, a.top + a.height};
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &client,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

LRESULT Panel::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace dv::win32
