#include "shell/TForm2.h"

#include "support/MessageLoop.h"

#include <vector>

namespace dv::win32 {

TForm2::TForm2() {
    create({L"TForm2", 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}, 0, WS_POPUP, L"Form2",
           {0, 0, 320, 240}, nullptr);
}

void TForm2::showModal() {
    // Modal: the program's other windows wait until the screen is closed.
    const HWND owner = GetForegroundWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) {
            if (IsWindowVisible(window) && IsWindowEnabled(window))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabled));
    for (const HWND window : disabled)
        EnableWindow(window, FALSE);
    showing_ = true;
    ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
    MessageLoop::instance().runUntil([this] { return !showing_; });
    for (const HWND window : disabled)
        EnableWindow(window, TRUE);
    ShowWindow(hwnd(), SW_HIDE);
    if (owner)
        SetForegroundWindow(owner);
}

LRESULT TForm2::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONUP:
        showing_ = false;
        return 0;
    case WM_CLOSE:
        showing_ = false;
        return 0;
    default:
        return defaultHandling(message, wParam, lParam);
    }
}

} // namespace dv::win32
