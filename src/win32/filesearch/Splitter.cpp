#include "win32/filesearch/Splitter.h"

#include <windowsx.h>

#include <algorithm>

namespace dv::win32 {

Splitter::Splitter(HWND parent, std::function<void(int left)> moved) : moved_(std::move(moved)) {
    create({L"DatavindSplitter", 0, GetSysColorBrush(COLOR_BTNFACE), IDC_SIZEWE}, 0,
           WS_CHILD | WS_VISIBLE, L"", {0, 0, kWidth, 0}, parent);
}

int Splitter::allowedLeft(int left, int parentWidth) {
    const int highest = parentWidth - kWidth - kMinimum;
    return std::max(kMinimum, std::min(left, highest));
}

void Splitter::drag(LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(hwnd(), GetParent(hwnd()), &at, 1);
    RECT parent{};
    GetClientRect(GetParent(hwnd()), &parent);
    const int left = allowedLeft(at.x - grip_, parent.right);
    RECT bar{};
    GetWindowRect(hwnd(), &bar);
    MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&bar), 2);
    if (left == bar.left)
        return;
    SetWindowPos(hwnd(), nullptr, left, bar.top, kWidth, bar.bottom - bar.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    moved_(left);
}

LRESULT Splitter::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        grip_ = GET_X_LPARAM(lParam);
        dragging_ = true;
        SetCapture(hwnd());
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_)
            drag(lParam);
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) {
            drag(lParam);
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    default:
        return Window::onMessage(message, wParam, lParam);
    }
}

} // namespace dv::win32
