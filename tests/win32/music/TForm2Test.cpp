// The hidden screen on its own: full screen and black, the picture and the
// film on the timeline's ticks, a click on the black closing it, and the
// film stopped once it is closed. The checks run from inside its modal loop.

#include "win32/shell/TForm2.h"
#include "WindowTesting.h"
#include "WineTestSupport.h"
#include "win32/music/MciVideoWindow.h"
#include "win32/support/ResourcePicture.h"

#include <gtest/gtest.h>

namespace dv::win32 {
namespace {

using test::runSoon;
using wintest::pumpUntil;

std::string film() {
    return test::sampleDisc() + "Webblasare\\ie6sv\\ROMCONF.CAB";
}

RECT clientOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

RECT placeIn(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

COLORREF pixel(HWND window, int x, int y) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

void click(HWND window, int x, int y) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class TForm2Test : public testing::Test {
  protected:
    void SetUp() override {
        owner = CreateWindowExW(0, L"STATIC", L"Datavinds CD", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                100, nullptr, nullptr, nullptr, nullptr);
        form = std::make_unique<TForm2>(owner);
        form->setFilm(film());
    }
    void TearDown() override {
        form.reset();
        DestroyWindow(owner);
    }

    HWND owner = nullptr;
    std::unique_ptr<TForm2> form;
};

TEST_F(TForm2Test, IsABorderlessBlackWindowCalledForm2KeptHidden) {
    wchar_t caption[32] = L"";
    GetWindowTextW(form->hwnd(), caption, 32);
    EXPECT_STREQ(caption, L"Form2");
    const LONG_PTR style = GetWindowLongPtrW(form->hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    EXPECT_FALSE(IsWindowVisible(form->player().hwnd()));
}

TEST_F(TForm2Test, PictureThenFilmOnTheTicksAndAClickOnTheBlackCloses) {
    bool checked = false;
    runSoon([&] {
        const HWND screen = form->hwnd();
        EXPECT_TRUE(IsWindowVisible(screen));
        EXPECT_TRUE(IsZoomed(screen));
        const RECT all = clientOf(screen);
        EXPECT_EQ(all.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(all.bottom, GetSystemMetrics(SM_CYSCREEN));
        EXPECT_FALSE(IsWindowEnabled(owner)); // modal
        EXPECT_EQ(pixel(screen, all.right / 2, all.bottom / 2), RGB(0, 0, 0));

        form->Timer1Timer(); // the picture in the middle
        const int left = (all.right - 253) / 2, top = (all.bottom - 152) / 2;
        // The program's own picture, where the tick put it.
        const ResourcePicture image1(L"Image1");
        ASSERT_FALSE(image1.empty());
        for (const POINT p : {POINT{126, 76}, POINT{30, 140}, POINT{200, 30}}) {
            const Rgb expected = image1.pixel(p.x, p.y);
            EXPECT_EQ(pixel(screen, left + p.x, top + p.y),
                      RGB(expected.red, expected.green, expected.blue));
        }
        EXPECT_EQ(pixel(screen, left - 5, top + 5), RGB(0, 0, 0));
        click(screen, left + 20, top + 20); // the picture is no way out
        EXPECT_TRUE(wintest::handlePosted());
        EXPECT_TRUE(IsWindowVisible(screen));

        form->Timer1Timer(); // black again
        EXPECT_EQ(pixel(screen, left + 126, top + 76), RGB(0, 0, 0));
        EXPECT_FALSE(IsWindowVisible(form->player().hwnd()));

        form->Timer1Timer(); // the film in the middle, playing
        const HWND player = form->player().hwnd();
        EXPECT_TRUE(IsWindowVisible(player));
        const RECT place = placeIn(player, screen);
        EXPECT_EQ(place.left, (all.right - 320) / 2);
        EXPECT_EQ(place.top, (all.bottom - 240) / 2);
        EXPECT_EQ(place.right - place.left, 320);
        EXPECT_EQ(form->player().lastError(), "");
        EXPECT_TRUE(pumpUntil([&] { return form->player().playing(); }, 5000));
        checked = true;
        click(screen, 5, 5);
    });
    form->showModal(); // returns once closed
    EXPECT_TRUE(checked);
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    EXPECT_FALSE(form->player().playing()); // stopped on hiding
    EXPECT_TRUE(IsWindowEnabled(owner));

    // A second showing plays the film at the first tick; the picture stays away.
    bool again = false;
    runSoon([&] {
        form->Timer1Timer();
        EXPECT_TRUE(IsWindowVisible(form->player().hwnd()));
        EXPECT_TRUE(pumpUntil([&] { return form->player().playing(); }, 5000));
        again = true;
        click(form->hwnd(), 5, 5);
    });
    form->showModal();
    EXPECT_TRUE(again);
    EXPECT_FALSE(form->player().playing());
}

TEST_F(TForm2Test, TheProgramsScreenTicksEveryThreeSeconds) {
    EXPECT_EQ(form->timeline().tickInterval(), std::chrono::milliseconds(3000));
}

TEST_F(TForm2Test, TheTimerRunsWhileShownAndStopsWhenClosed) {
    // A short tick, so that the test need not wait on the clock.
    constexpr int kTickMs = 200;
    form = std::make_unique<TForm2>(owner, std::chrono::milliseconds(kTickMs));
    form->setFilm(film());
    bool ticked = false;
    runSoon([&] {
        // The first real tick puts the picture up: the screen's timer at the
        // interval it was given, well before the program's three seconds.
        EXPECT_FALSE(form->timeline().image().visible);
        ticked = pumpUntil([&] { return form->timeline().image().visible; }, 2000);
        click(form->hwnd(), 5, 5);
    });
    form->showModal();
    EXPECT_TRUE(ticked);
    // Closed, nothing moves on: a timer of two of its intervals, started
    // now, fires after the screen's next tick would have.
    const auto before = form->timeline().image();
    wintest::pumpPastTimer(2 * kTickMs);
    EXPECT_EQ(form->timeline().image(), before);
}

TEST_F(TForm2Test, AMissingFilmLeavesTheScreenBlack) {
    form->setFilm(test::sampleDisc() + "Webblasare\\ie6sv\\FINNSINTE.CAB");
    bool checked = false;
    runSoon([&] {
        for (int tick = 0; tick < 3; ++tick)
            form->Timer1Timer();
        EXPECT_FALSE(form->player().playing());
        EXPECT_NE(form->player().lastError(), "");
        EXPECT_TRUE(IsWindowVisible(form->hwnd()));
        checked = true;
        click(form->hwnd(), 5, 5);
    });
    form->showModal();
    EXPECT_TRUE(checked);
}

} // namespace
} // namespace dv::win32
