#include "BrowserTestSupport.h"

#include "core/browser/WaitingWindowModel.h"
#include "win32/browser/TProgStartingForm.h"
#include "win32/support/UiFont.h"
#include "win32/support/Utf16.h"
#include "win32/support/Win32TextMeasure.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace dv::win32::test {
namespace {

using Model = WaitingWindowModel;

RECT boundsIn(HWND control, HWND window) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The texts, places, range, tick and sweep are the core's (its tables hold
// the cases); the window draws them and runs the sweep on its timer.
TEST(TProgStartingForm, DrawsAndWiresTheModel) {
    TProgStartingForm form;
    const WaitingWindowLayout l = Model::layout(Win32TextMeasure(uiFont()));
    const HWND w = form.hwnd();
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, l.clientWidth);
    EXPECT_EQ(client.bottom, l.clientHeight);
    EXPECT_EQ(narrow(textOf(w)), Model::kCaption);
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU); // no border icons
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowVisible(w));

    EXPECT_EQ(narrow(textOf(form.label())), Model::kText);
    EXPECT_TRUE(GetWindowLongPtrW(form.label(), GWL_STYLE) & SS_NOPREFIX);
    for (const auto& [control, place] :
         {std::pair{form.label(), l.Label1}, std::pair{form.progressBar(), l.ProgressBar1}}) {
        const RECT r = boundsIn(control, w);
        const RECT expected = toRect(place);
        EXPECT_EQ(r.left, expected.left);
        EXPECT_EQ(r.top, expected.top);
        EXPECT_EQ(r.right, expected.right);
        EXPECT_EQ(r.bottom, expected.bottom);
    }
    PBRANGE range{};
    SendMessageW(form.progressBar(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, Model::kMinimum);
    EXPECT_EQ(range.iHigh, Model::kMaximum);

    // Each tick is the model's next step.
    for (const int from : {0, 99, 100}) {
        SendMessageW(form.progressBar(), PBM_SETPOS, static_cast<WPARAM>(from), 0);
        SendMessageW(w, WM_TIMER, TProgStartingForm::kTimer1, 0);
        EXPECT_EQ(form.position(), Model::nextPosition(from)) << from;
    }

    // Shown centred from the start; it moves while messages are handled.
    SendMessageW(form.progressBar(), PBM_SETPOS, 50, 0);
    form.showWaiting();
    EXPECT_TRUE(IsWindowVisible(w));
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    // Started over from the beginning, not on from 50 (a loaded machine may
    // have handled a tick or two already).
    EXPECT_LT(form.position(), 50);
    EXPECT_TRUE(pumpUntil([&] { return form.position() >= 3; }, 5000));

    // Hidden, its timer is gone: killing it again fails.
    form.hideWaiting();
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_FALSE(KillTimer(w, TProgStartingForm::kTimer1));
}

} // namespace
} // namespace dv::win32::test
