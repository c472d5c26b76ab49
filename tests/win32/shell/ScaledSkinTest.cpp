#include "core/shell/DisplayScale.h"
#include "core/shell/MainWindowLayout.h"
#include "win32/shell/SkinPictures.h"
#include "win32/support/UiFont.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace dv::win32 {
namespace {

// The steepest step between two neighbouring pixels of a row, over the
// inner part of the picture (away from the cut-out corners): a picture
// rendered at its scale keeps its edges as steep as at 100 %, one enlarged
// from a smaller picture spreads each over several pixels.
int steepestEdge(const ResourcePicture& picture) {
    int steepest = 0;
    const int margin = picture.width() / 10;
    for (int y = picture.height() / 6; y < picture.height() - picture.height() / 6; y += 3) {
        for (int x = margin; x + 1 < picture.width() - margin; ++x) {
            const Rgb a = picture.pixel(x, y);
            const Rgb b = picture.pixel(x + 1, y);
            steepest = std::max(steepest, std::abs(a.red - b.red) + std::abs(a.green - b.green) +
                                              std::abs(a.blue - b.blue));
        }
    }
    return steepest;
}

class ScaledSkinTest : public ::testing::TestWithParam<int> {};

TEST_P(ScaledSkinTest, TheSkinFitsTheScaledWindowAndStaysSharp) {
    const DisplayScale scale(GetParam());
    const HotSpotCatalog catalog = HotSpotCatalog("").scaled(scale);
    const SkinPictures skin(catalog, scale);
    const ResourcePicture& background = skin.background();
    ASSERT_FALSE(background.empty());
    const Rect client = scale.toPhysical(Rect{0, 0, layout::kClientWidth, layout::kClientHeight});
    EXPECT_EQ(background.width(), client.width);
    EXPECT_EQ(background.height(), client.height);
    EXPECT_FALSE(background.hasAlpha());
    // The corners are cut out at every scale, the skin inside is drawn.
    EXPECT_EQ(skin.cornerColour(), layout::kBackgroundCorner);
    const int right = client.width - 1;
    const int bottom = client.height - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
        EXPECT_EQ(background.pixel(x, y), layout::kSkyBlue) << x << "," << y;
    EXPECT_NE(background.pixel(scale.toPhysical(250), scale.toPhysical(60)), layout::kSkyBlue);

    const SkinPictures unscaled(HotSpotCatalog(""));
    EXPECT_GE(steepestEdge(background) * 10, steepestEdge(unscaled.background()) * 8)
        << "the background at " << scale.percent() << " % is blurred";

    for (const HotSpot& spot : catalog.all()) {
        if (spot.highlight.empty())
            continue;
        const ResourcePicture& picture = skin.highlight(spot.highlight);
        ASSERT_FALSE(picture.empty()) << spot.highlight;
        EXPECT_EQ(picture.width(), spot.highlightBounds.width) << spot.highlight;
        EXPECT_EQ(picture.height(), spot.highlightBounds.height) << spot.highlight;
    }
}

// Every scale Windows offers, and two it may be set to by hand, whose
// pictures come from the next larger scale.
INSTANTIATE_TEST_SUITE_P(EveryScale, ScaledSkinTest,
                         ::testing::Values(96, 120, 144, 168, 192, 240, 288, 110, 216));

TEST(ScaledSkinTest, TheOtherPicturesComeAtEveryScaleWithTheirTransparency) {
    for (const int percent : bakedPicturePercents()) {
        const DisplayScale scale(percent * DisplayScale::kBaseDpi / 100);
        const ResourcePicture knob(L"Knob", percent);
        ASSERT_FALSE(knob.empty()) << percent;
        EXPECT_TRUE(knob.hasAlpha());
        EXPECT_EQ(knob.width(), scale.toPhysical(7)) << percent;
        EXPECT_EQ(knob.height(), scale.toPhysical(20)) << percent;
        const ResourcePicture filsok(L"Filsok", percent);
        EXPECT_EQ(filsok.width(), scale.toPhysical(96)) << percent;
    }
    EXPECT_TRUE(ResourcePicture(L"Knob", 120).empty());
}

TEST(ScaledSkinTest, TheProgramsFontIsEightPointsAtEveryScale) {
    const HDC dc = GetDC(nullptr);
    for (const int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        const HGDIOBJ old = SelectObject(dc, uiFont(DisplayScale(dpi)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        // The character height (without the internal leading) is 11 pixels at 100 %.
        const int height = static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading);
        EXPECT_NEAR(height, DisplayScale(dpi).fontHeight(11), 1) << dpi << " dpi";
        if (dpi != 96) {
            EXPECT_TRUE(metrics.tmPitchAndFamily & TMPF_TRUETYPE) << dpi << " dpi: an outline font";
        }
    }
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(uiFont(DisplayScale(144)), uiFont(DisplayScale(144)));
    EXPECT_NE(uiFont(DisplayScale(144)), uiFont(DisplayScale(192)));
}

} // namespace
} // namespace dv::win32
