#include "BrowserTestSupport.h"

#include "browser/TProgStartingForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace dv::win32::test {
namespace {

TEST(TProgStartingForm, ATopmostToolWindowWithLabelAndBar) {
    TProgStartingForm form;
    const HWND w = form.hwnd();
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 265);
    EXPECT_EQ(client.bottom, 74);
    EXPECT_EQ(textOf(w), L"Vänta...");
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU); // no border icons
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowVisible(w));

    EXPECT_EQ(textOf(form.label()), L"Vänligen vänta, programmet eller länken du klickade på startas...");
    EXPECT_TRUE(GetWindowLongPtrW(form.label(), GWL_STYLE) & SS_NOPREFIX);
    RECT label{};
    GetWindowRect(form.label(), &label);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&label), 2);
    EXPECT_EQ(label.left, 8);
    EXPECT_EQ(label.top, 8);
    RECT bar{};
    GetWindowRect(form.progressBar(), &bar);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, 8);
    EXPECT_EQ(bar.top, 40);
    EXPECT_EQ(bar.right - bar.left, 249);
    EXPECT_EQ(bar.bottom - bar.top, 17);
    PBRANGE range{};
    SendMessageW(form.progressBar(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);
}

TEST(TProgStartingForm, ShownCentredTheBarSweepsAndStopsWhenHidden) {
    TProgStartingForm form;
    SendMessageW(form.progressBar(), PBM_SETPOS, 50, 0);
    form.showWaiting();
    EXPECT_TRUE(IsWindowVisible(form.hwnd()));
    RECT r{};
    GetWindowRect(form.hwnd(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_LE(form.position(), 1); // started from the beginning

    // It moves on the timer while messages are handled.
    EXPECT_TRUE(pumpUntil([&] { return form.position() >= 3; }, 5000));

    form.hideWaiting();
    EXPECT_FALSE(IsWindowVisible(form.hwnd()));
    const int stopped = form.position();
    pumpFor(400);
    EXPECT_EQ(form.position(), stopped);
}

TEST(TProgStartingForm, AFullBarStartsOver) {
    TProgStartingForm form;
    struct Case {
        int from;
        int to;
    };
    for (const Case c : {Case{0, 1}, Case{98, 99}, Case{99, 100}, Case{100, 0}}) {
        SendMessageW(form.progressBar(), PBM_SETPOS, static_cast<WPARAM>(c.from), 0);
        SendMessageW(form.hwnd(), WM_TIMER, TProgStartingForm::kTimer1, 0);
        EXPECT_EQ(form.position(), c.to) << c.from;
    }
}

} // namespace
} // namespace dv::win32::test
