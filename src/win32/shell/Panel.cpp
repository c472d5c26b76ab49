#include "win32/shell/Panel.h"

#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"

namespace dv::win32 {

Panel::Panel(HWND parent, const Rect& bounds, Look look, const std::string& text)
    : look_(look), text_(text) {
    create({L"DatavindPanel"}, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"",
           {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height},
           parent);
}

void Panel::setText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void Panel::rescale(const Rect& bounds, Look look) {
    look_ = look;
    SetWindowPos(hwnd(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
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
    const HGDIOBJ oldFont = SelectObject(dc, look_.font ? look_.font : uiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look_.text);
    const std::wstring wide = widen(text_);
    const Rect& a = look_.textArea;
    if (a.width > 0) {
        RECT area{a.left, a.top, a.left + a.width, a.top + a.height};
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
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
    case WM_SIZE:
        // What the panel hosts (the browser) fills it, also when a display
        // of another scale makes it grow.
        for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SetWindowPos(child, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace dv::win32
