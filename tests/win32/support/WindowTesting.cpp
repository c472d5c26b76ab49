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

void pumpFor(int ms) {
    pumpUntil([] { return false; }, ms);
}

namespace {

int markersHandled = 0;

LRESULT CALLBACK markerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        markersHandled = static_cast<int>(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window that notes the markers handlePosted() posts.
HWND markerWindow() {
    static const HWND window = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = markerProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"DatavindTestMarker";
        RegisterClassW(&c);
        return CreateWindowExW(0, c.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               c.hInstance, nullptr);
    }();
    return window;
}

bool timerFired = false;

void CALLBACK noteTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    timerFired = true;
}

} // namespace

bool handlePosted(int timeoutMs) {
    static int posted = 0;
    // Twice: what the first round's messages post comes before the second marker.
    for (int round = 0; round < 2; ++round) {
        const int mine = ++posted;
        PostMessageW(markerWindow(), WM_APP, static_cast<WPARAM>(mine), 0);
        if (!pumpUntil([mine] { return markersHandled >= mine; }, timeoutMs))
            return false;
    }
    return true;
}

void pumpPastTimer(int ms) {
    timerFired = false;
    SetTimer(nullptr, 0, static_cast<UINT>(ms), noteTimer);
    pumpUntil([] { return timerFired; }, ms + 5000);
}

POINT onScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void moveMouseTo(HWND window, int x, int y) {
    // Two steps, so that the window sees a move inside it even when the
    // pointer was already at the target.
    // Wine turns the warp into a move only as it reads the display's events:
    // no message of the thread's own says when, so this one still pumps for
    // a while. Tests wait for what the move does.
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
