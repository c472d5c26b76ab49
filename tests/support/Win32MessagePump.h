#pragma once

// Lets a test of the Windows front end run the real message loop until
// something has happened, never longer than it allows.

#include "win32/support/MessageLoop.h"

#include <windows.h>

#include <chrono>
#include <functional>

namespace dv::test {

// True when the condition came to hold in time.
inline bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        win32::MessageLoop::instance().processPending();
    }
    return true;
}

// Handles the messages of the given time. Only for what no condition can
// tell; prefer handlePosted() or pumpUntil().
inline void pumpFor(std::chrono::milliseconds time) {
    pumpUntil([] { return false; }, time);
}

namespace detail {

inline int& markersHandled() {
    static int handled = 0;
    return handled;
}

inline LRESULT CALLBACK markerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP)
        return DefWindowProcW(window, message, wParam, lParam);
    markersHandled() = static_cast<int>(wParam);
    return 0;
}

// A message-only window that notes the markers handlePosted() posts.
inline HWND markerWindow() {
    static const HWND window = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = markerProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"DatavindTestPumpMarker";
        RegisterClassW(&c);
        return CreateWindowExW(0, c.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               c.hInstance, nullptr);
    }();
    return window;
}

} // namespace detail

// Handles every message posted to this thread before the call, and what
// handling them posted in turn: the thread's posted messages keep their
// order. False when that took longer than the limit.
inline bool handlePosted(std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
    static int posted = 0;
    for (int round = 0; round < 2; ++round) {
        const int mine = ++posted;
        PostMessageW(detail::markerWindow(), WM_APP, static_cast<WPARAM>(mine), 0);
        if (!pumpUntil([mine] { return detail::markersHandled() >= mine; }, limit))
            return false;
    }
    return true;
}

} // namespace dv::test
