#include "WindowTesting.h"

namespace dv::wintest {

namespace {

void dispatchWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the test to see.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!done()) {
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        dispatchWaiting();
    }
    return true;
}

void pumpFor(int ms) { pumpUntil([] { return false; }, ms); }

POINT onScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void moveMouseTo(HWND window, int x, int y) {
    // Two steps, so that the window sees a move inside it even when the
    // pointer was already at the target.
    const POINT nearby = onScreen(window, x + 1, y + 1);
    SetCursorPos(nearby.x, nearby.y);
    pumpFor(30);
    const POINT target = onScreen(window, x, y);
    SetCursorPos(target.x, target.y);
    pumpFor(60);
}

ClientPicture::ClientPicture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bitmap_.reset(bitmap, [](void* b) { DeleteObject(static_cast<HBITMAP>(b)); });
    bits_ = static_cast<const unsigned char*>(bits);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
}

Rgb ClientPicture::at(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return {};
    const unsigned char* p = bits_ + (static_cast<std::ptrdiff_t>(y) * width_ + x) * 4;
    return {p[2], p[1], p[0]};
}

} // namespace dv::wintest
