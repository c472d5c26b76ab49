#include "win32/browser/TProgStartingForm.h"

#include "win32/support/MessageLoop.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"
#include "win32/support/WindowPlacement.h"

#include <commctrl.h>

#include <stdexcept>

namespace dv::win32 {

namespace {

using WaitingModel = WaitingWindowModel;

constexpr DWORD kWaitingStyle = WS_POPUP | WS_CAPTION; // a caption without border icons
constexpr DWORD kWaitingExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

HWND child(const wchar_t* windowClass, const wchar_t* text, DWORD style, RECT r, HWND parent) {
    const HWND h = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, r.left,
                                   r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont(systemScale())), FALSE);
    return h;
}

} // namespace

TProgStartingForm::TProgStartingForm() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    layout_ = WaitingModel::layout(Win32TextMeasure(uiFont()));
    if (!create({L"TProgStartingForm", 0, GetSysColorBrush(COLOR_BTNFACE)}, kWaitingExStyle,
                kWaitingStyle, widen(WaitingModel::kCaption),
                centredOnScreen(kWaitingStyle, kWaitingExStyle, layout_.clientWidth,
                                layout_.clientHeight),
                nullptr))
        throw std::runtime_error("Kunde inte skapa väntefönstret");
    Label1 = child(L"STATIC", widen(WaitingModel::kText).c_str(), SS_LEFT | SS_NOPREFIX,
                   toRect(layout_.Label1), hwnd());
    ProgressBar1 = child(PROGRESS_CLASSW, L"", 0, toRect(layout_.ProgressBar1), hwnd());
    SendMessageW(ProgressBar1, PBM_SETRANGE32, WaitingModel::kMinimum, WaitingModel::kMaximum);
}

void TProgStartingForm::showWaiting() {
    centreOnScreen();
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    // Once, so that the window paints before the shell call blocks.
    MessageLoop::instance().processPending();
}

void TProgStartingForm::hideWaiting() {
    ShowWindow(hwnd(), SW_HIDE);
}

int TProgStartingForm::position() const {
    return static_cast<int>(SendMessageW(ProgressBar1, PBM_GETPOS, 0, 0));
}

void TProgStartingForm::centreOnScreen() {
    // Where the reader's screen is now, which may differ from at start.
    const RECT r =
        centredOnScreen(kWaitingStyle, kWaitingExStyle, layout_.clientWidth, layout_.clientHeight);
    SetWindowPos(hwnd(), HWND_TOPMOST, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TProgStartingForm::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam)
            FormShow();
        else
            FormHide();
        break;
    case WM_TIMER:
        if (wParam == kTimer1) {
            Timer1Timer();
            return 0;
        }
        break;
    case WM_CLOSE:
        return 0; // only the launch hides it
    default:
        break;
    }
    return defaultHandling(message, wParam, lParam);
}

void TProgStartingForm::FormShow() {
    SendMessageW(ProgressBar1, PBM_SETPOS, static_cast<WPARAM>(WaitingModel::positionWhenShown()),
                 0);
    SetTimer(hwnd(), kTimer1, WaitingModel::kTickMs, nullptr);
}

void TProgStartingForm::FormHide() {
    KillTimer(hwnd(), kTimer1);
}

void TProgStartingForm::Timer1Timer() {
    SendMessageW(ProgressBar1, PBM_SETPOS,
                 static_cast<WPARAM>(WaitingModel::nextPosition(position())), 0);
}

} // namespace dv::win32
