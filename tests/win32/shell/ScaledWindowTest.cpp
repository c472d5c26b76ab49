#include "win32/shell/TForm1.h"

#include "OpenMainWindow.h"
#include "core/shell/MainWindowLayout.h"

#include <gtest/gtest.h>

namespace dv::win32 {
namespace {

using wintest::ClientPicture;
using wintest::moveMouseTo;
using wintest::pumpUntil;

Rect placeOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

SIZE clientSize(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// The main window as the program opens it, moved between displays of other
// scales the way Windows tells it: WM_DPICHANGED with the new dpi and a
// suggested place.
class ScaledWindowTest : public ::testing::Test, protected wintest::OpenMainWindow {
  protected:
    void SetUp() override { openMainWindow(wintest::windowsFacts(5, 1, 24)); }
    void TearDown() override { closeMainWindow(); }

    void moveToDisplayOf(int dpi) {
        RECT window;
        GetWindowRect(main(), &window);
        const Rect size =
            DisplayScale(dpi).toPhysical(Rect{0, 0, layout::kClientWidth, layout::kClientHeight});
        RECT suggested{window.left, window.top, window.left + size.width, window.top + size.height};
        SendMessageW(main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        ASSERT_TRUE(wintest::handlePosted());
    }
};

TEST_F(ScaledWindowTest, OpensAtTheScaleOfItsDisplay) {
    const DisplayScale scale = form->scale();
    const Rect client = scale.toPhysical(Rect{0, 0, 800, 600});
    EXPECT_EQ(clientSize(main()).cx, client.width);
    EXPECT_EQ(clientSize(main()).cy, client.height);
    EXPECT_EQ(form->hotSpots().find("lbNoje")->bounds, scale.toPhysical(Rect{351, 8, 74, 89}));
}

TEST_F(ScaledWindowTest, AnotherScaleRedrawsEverythingAtItsSize) {
    struct Case {
        int dpi;
        int width, height;
    };
    for (const Case& c :
         {Case{144, 1200, 900}, Case{192, 1600, 1200}, Case{120, 1000, 750}, Case{96, 800, 600}}) {
        SCOPED_TRACE(c.dpi);
        moveToDisplayOf(c.dpi);
        const DisplayScale scale(c.dpi);
        EXPECT_EQ(form->scale(), scale);
        EXPECT_EQ(clientSize(main()).cx, c.width);
        EXPECT_EQ(clientSize(main()).cy, c.height);
        // Every hot-spot, panel and the bar at its scaled place.
        EXPECT_EQ(form->hotSpots().find("lbExit")->bounds, scale.toPhysical(Rect{776, 8, 17, 17}));
        EXPECT_EQ(form->hotSpots().find("lbNoje")->highlightBounds,
                  scale.toPhysical(Rect{352, 5, 72, 73}));
        EXPECT_EQ(placeOf(form->iePanel()), scale.toPhysical(layout::kIEPanel));
        EXPECT_EQ(placeOf(form->statusPanel()), scale.toPhysical(layout::kPanel2));
        EXPECT_EQ(placeOf(form->progressBar()), scale.toPhysical(layout::kDocumentProgress));
        // The skin fills the window: its corners are the key colour, inside it is drawn.
        const ClientPicture picture(main());
        ASSERT_EQ(picture.width(), c.width);
        EXPECT_EQ(picture.at(0, 0), layout::kSkyBlue);
        EXPECT_EQ(picture.at(c.width - 1, c.height - 1), layout::kSkyBlue);
        EXPECT_NE(picture.at(scale.toPhysical(250), scale.toPhysical(60)), layout::kSkyBlue);
    }
}

TEST_F(ScaledWindowTest, TheRealPointerLightsAHotSpotAtItsScaledPlace) {
    moveToDisplayOf(144);
    const DisplayScale scale(144);
    // Right of and below Nöje's unscaled rectangle: only the scaled one holds it.
    moveMouseTo(main(), scale.toPhysical(418), scale.toPhysical(90));
    ASSERT_TRUE(pumpUntil([&] { return form->isHighlightVisible("imAktNoje"); }));
    EXPECT_EQ(form->statusText(), "Nöjesavdelningen");
    const ClientPicture lit(main());
    const Rect place = scale.toPhysical(Rect{352, 5, 72, 73});
    // The highlight is drawn at its scaled place, in register with the skin around it.
    const SkinPictures skin(form->hotSpots(), scale);
    const ResourcePicture& highlight = skin.highlight("imAktNoje");
    for (const auto& [x, y] : {std::pair{10, 10}, {50, 30}, {place.width - 2, place.height - 2}})
        EXPECT_EQ(lit.at(place.left + x, place.top + y), highlight.pixel(x, y)) << x << "," << y;
    moveMouseTo(main(), scale.toPhysical(250), scale.toPhysical(60));
    ASSERT_TRUE(pumpUntil([&] { return !form->isHighlightVisible("imAktNoje"); }));
    EXPECT_EQ(form->statusText(), "");
}

TEST_F(ScaledWindowTest, ThePointerStaysOverTheSamePlaceOfTheSkin) {
    // The pointer on Nöje at 100 %; the window moves to a display at 200 %.
    moveToDisplayOf(96);
    moveMouseTo(main(), 388, 40);
    POINT pointer;
    GetCursorPos(&pointer);
    moveToDisplayOf(192);
    POINT client = pointer;
    ScreenToClient(main(), &client);
    const DisplayScale scale(192);
    EXPECT_EQ(scale.toLogical(client.x), 388);
    EXPECT_EQ(scale.toLogical(client.y), 40);
    // And back.
    moveToDisplayOf(96);
    client = pointer;
    ScreenToClient(main(), &client);
    EXPECT_EQ(client.x, 388);
    EXPECT_EQ(client.y, 40);
}

TEST_F(ScaledWindowTest, WithThePointerElsewhereTheWindowGoesWhereWindowsSuggests) {
    SetCursorPos(2, 2);
    RECT window;
    GetWindowRect(main(), &window);
    ASSERT_FALSE(PtInRect(&window, POINT{2, 2}));
    RECT suggested{window.left + 10, window.top + 20, window.left + 1210, window.top + 920};
    SendMessageW(main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ASSERT_TRUE(wintest::handlePosted());
    GetWindowRect(main(), &window);
    EXPECT_EQ(window.left, suggested.left);
    EXPECT_EQ(window.top, suggested.top);
    EXPECT_EQ(window.right - window.left, 1200);
}

TEST_F(ScaledWindowTest, WindowsIsToldTheExactSizeAtAnotherScale) {
    for (const auto& [dpi, width, height] :
         {std::tuple{120, 1000, 750}, {168, 1400, 1050}, {288, 2400, 1800}}) {
        SIZE size{};
        EXPECT_TRUE(SendMessageW(main(), WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi),
                                 reinterpret_cast<LPARAM>(&size)));
        EXPECT_EQ(size.cx, width) << dpi;
        EXPECT_EQ(size.cy, height) << dpi;
    }
}

} // namespace
} // namespace dv::win32
