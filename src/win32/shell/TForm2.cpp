#include "win32/shell/TForm2.h"

#include "win32/music/MciVideoWindow.h"
#include "win32/support/MessageLoop.h"

#include <windowsx.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace dv::win32 {

namespace {

RECT toRECT(const Rect& r) {
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

// The whole monitor the window is on (or the main one), task bar included.
RECT monitorOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

// The program's other windows, disabled while a modal one is up.
std::vector<HWND> disableOthers(HWND modal) {
    std::vector<HWND> disabled;
    struct Context {
        HWND modal;
        std::vector<HWND>* disabled;
    } context{modal, &disabled};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* c = reinterpret_cast<Context*>(parameter);
            if (window != c->modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                c->disabled->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return disabled;
}

} // namespace

TForm2::TForm2(HWND owner, std::chrono::milliseconds tick) : timeline_(tick) {
    static const WindowClass kClass{L"TForm2", CS_DBLCLKS};
    if (!create(kClass, 0, WS_POPUP | WS_CLIPCHILDREN, L"Form2", RECT{0, 0, 640, 480}, owner))
        throw std::runtime_error("Kunde inte skapa Form2.");
    WinMediaPlayer1 = std::make_unique<MciVideoWindow>(
        hwnd(), toRECT(scale_.toPhysical(timeline_.player().bounds)));
}

TForm2::~TForm2() = default;

void TForm2::showModal() {
    // Back to where the reader was once the screen is closed.
    const HWND before = GetForegroundWindow();
    const RECT screen = monitorOf(before ? before : hwnd());
    SetWindowPos(hwnd(), HWND_TOP, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_NOACTIVATE);
    const std::vector<HWND> disabled = disableOthers(hwnd());
    ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());
    MessageLoop::instance().runUntil([this] { return !IsWindowVisible(hwnd()); });
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    if (before && IsWindow(before))
        SetForegroundWindow(before);
}

void TForm2::FormShow() {
    timeline_.formShow();
    SetTimer(hwnd(), kTimer1, static_cast<UINT>(timeline_.tickInterval().count()), nullptr);
}

void TForm2::Timer1Timer() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const bool open =
        timeline_.tick(scale_.toLogical(client.right), scale_.toLogical(client.bottom));
    InvalidateRect(hwnd(), nullptr, FALSE);
    placePlayer();
    if (!timeline_.timerEnabled())
        KillTimer(hwnd(), kTimer1);
    if (open)
        WinMediaPlayer1->play(film_);
}

void TForm2::placePlayer() {
    const Placement& p = timeline_.player();
    const Rect bounds = scale_.toPhysical(p.bounds);
    SetWindowPos(WinMediaPlayer1->hwnd(), nullptr, bounds.left, bounds.top, bounds.width,
                 bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (p.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TForm2::FormHide() {
    // Nothing goes on behind a closed screen.
    KillTimer(hwnd(), kTimer1);
    WinMediaPlayer1->stop();
}

bool TForm2::onPicture(POINT at) const {
    const Placement& p = timeline_.image();
    return p.visible && scale_.toPhysical(p.bounds).contains(at.x, at.y);
}

void TForm2::FormClick(POINT) {
    ShowWindow(hwnd(), SW_HIDE);
}

void TForm2::paint(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (timeline_.image().visible) {
        const Rect bounds = scale_.toPhysical(timeline_.image().bounds);
        Image1.draw(dc, bounds.left, bounds.top);
    }
}

LRESULT TForm2::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WINDOWPOSCHANGED: {
        // Showing maximised sends no WM_SHOWWINDOW; every showing and hiding
        // passes here.
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if (flags & SWP_SHOWWINDOW)
            FormShow();
        else if (flags & SWP_HIDEWINDOW)
            FormHide();
        break;
    }
    case WM_TIMER:
        if (wParam == kTimer1) {
            Timer1Timer();
            return 0;
        }
        break;
    case WM_GETMINMAXINFO: {
        // Maximised means the whole screen, not the work area beside the task bar.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &info);
        limits->ptMaxPosition = {info.rcMonitor.left - info.rcWork.left,
                                 info.rcMonitor.top - info.rcWork.top};
        limits->ptMaxSize = {info.rcMonitor.right - info.rcMonitor.left,
                             info.rcMonitor.bottom - info.rcMonitor.top};
        limits->ptMaxTrackSize = limits->ptMaxSize;
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // painting covers everything
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // A click is a press and a release on the black background; the
        // picture and the film take their own.
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        pressedOnBlack_ = !onPicture(at);
        return 0;
    }
    case WM_LBUTTONUP: {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (std::exchange(pressedOnBlack_, false) && !onPicture(at))
            FormClick(at);
        return 0;
    }
    case WM_CLOSE:
        // The screen lives as long as the program; closing hides it.
        ShowWindow(hwnd(), SW_HIDE);
        return 0;
    default:
        break;
    }
    return defaultHandling(message, wParam, lParam);
}

} // namespace dv::win32
