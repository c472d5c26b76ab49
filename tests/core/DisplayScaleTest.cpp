#include "core/shell/DisplayScale.h"
#include "core/shell/HotSpotCatalog.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

// The scales Windows offers, in dpi.
constexpr int kWindowsDpis[] = {96, 120, 144, 168, 192, 240, 288};

TEST(DisplayScale, TheSkinFillsTheScaledClientAreaAtEveryScale) {
    struct Case {
        int dpi, percent, width, height;
    };
    const Case cases[] = {{96, 100, 800, 600},    {120, 125, 1000, 750},  {144, 150, 1200, 900},
                          {168, 175, 1400, 1050}, {192, 200, 1600, 1200}, {240, 250, 2000, 1500},
                          {288, 300, 2400, 1800}};
    for (const Case& c : cases) {
        const DisplayScale scale(c.dpi);
        EXPECT_EQ(scale.percent(), c.percent) << c.dpi;
        EXPECT_EQ(scale.toPhysical(Rect{0, 0, 800, 600}), (Rect{0, 0, c.width, c.height})) << c.dpi;
    }
}

TEST(DisplayScale, RoundsToTheNearestWithHalvesAwayFromZero) {
    struct Case {
        int dpi, logical, physical;
    };
    const Case cases[] = {
        {96, 7, 7},  {96, -7, -7},     {120, 1, 1},   {120, 2, 3}, {120, 3, 4}, {120, -2, -3},
        {144, 1, 2}, {144, 3, 5},      {144, -1, -2}, {168, 1, 2}, {168, 3, 5}, {192, 11, 22},
        {240, 1, 3}, {288, 351, 1053}, {72, 1, 1},    {72, 2, 2},  {72, 3, 2},  {144, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayScale(c.dpi).toPhysical(c.logical), c.physical)
            << c.dpi << " dpi, " << c.logical;
}

TEST(DisplayScale, ScalesEdgesSoThatTouchingPlacesStillTouch) {
    for (const int dpi : kWindowsDpis) {
        const DisplayScale scale(dpi);
        for (int x = 0; x < 40; ++x) {
            const Rect left = scale.toPhysical(Rect{x, 3, 1, 1});
            const Rect right = scale.toPhysical(Rect{x + 1, 3, 1, 1});
            EXPECT_EQ(left.left + left.width, right.left) << dpi << " dpi at " << x;
            EXPECT_GE(left.width, 1) << dpi << " dpi at " << x;
        }
    }
    // 1.5 x {1, 1, 1, 1}: edges 1.5 and 3 become 2 and 3, one pixel wide.
    EXPECT_EQ(DisplayScale(144).toPhysical(Rect{1, 1, 1, 1}), (Rect{2, 2, 1, 1}));
}

TEST(DisplayScale, APhysicalPixelMapsBackToTheLogicalPixelItLiesIn) {
    for (const int dpi : kWindowsDpis) {
        const DisplayScale scale(dpi);
        for (int x = -50; x <= 850; ++x) {
            const int first = scale.toPhysical(x);
            const int last = scale.toPhysical(x + 1) - 1;
            ASSERT_EQ(scale.toLogical(first), x) << dpi << " dpi";
            ASSERT_EQ(scale.toLogical(last), x) << dpi << " dpi";
        }
    }
    EXPECT_EQ(DisplayScale(144).toLogical(1199), 799);
    EXPECT_EQ(DisplayScale(144).toLogical(-1), -1);
}

TEST(DisplayScale, AFailedQueryCountsAsOneHundredPercent) {
    EXPECT_EQ(DisplayScale(0).dpi(), 96);
    EXPECT_EQ(DisplayScale(-120).dpi(), 96);
    EXPECT_TRUE(DisplayScale(0).isIdentity());
    EXPECT_FALSE(DisplayScale(120).isIdentity());
}

TEST(DisplayScale, FontHeights) {
    struct Case {
        int dpi, height;
    };
    // MS Sans Serif at 8 points is 11 pixels at 100 %.
    const Case cases[] = {{96, 11},  {120, 14}, {144, 17}, {168, 19},
                          {192, 22}, {240, 28}, {288, 33}};
    for (const Case& c : cases)
        EXPECT_EQ(DisplayScale(c.dpi).fontHeight(11), c.height) << c.dpi;
    EXPECT_EQ(DisplayScale(24).fontHeight(1), 1);
}

TEST(DisplayScale, PicturesComeFromTheNearestBakedScaleAtOrAbove) {
    struct Case {
        int dpi, percent;
    };
    const Case cases[] = {{96, 100},  {72, 100},  {100, 125}, {120, 125}, {121, 150}, {144, 150},
                          {168, 175}, {192, 200}, {216, 250}, {240, 250}, {288, 300}, {384, 300}};
    for (const Case& c : cases)
        EXPECT_EQ(DisplayScale(c.dpi).picturePercent(), c.percent) << c.dpi;
    for (const int dpi : kWindowsDpis)
        EXPECT_EQ(DisplayScale(dpi).picturePercent(), DisplayScale(dpi).percent())
            << "baked exactly: " << dpi;
}

TEST(DisplayScale, ThePointerStaysOverTheSamePlaceOfTheSkin) {
    struct Case {
        Point pointer, oldOrigin;
        int from, to;
        Point offset, expected;
    };
    const Case cases[] = {
        // 100 logical units right of and below the corner, before and after.
        {{1100, 500}, {1000, 400}, 96, 192, {0, 0}, {900, 300}},
        {{1150, 550}, {1000, 400}, 144, 96, {0, 0}, {1050, 450}},
        {{1150, 550}, {1000, 400}, 144, 96, {8, 30}, {1042, 420}},
        // The same scale leaves the window where it is.
        {{1234, 567}, {1000, 400}, 120, 120, {0, 0}, {1000, 400}},
        // A pointer left of the corner (outside the client area) scales too.
        {{990, 400}, {1000, 400}, 96, 288, {0, 0}, {1020, 400}},
    };
    for (const Case& c : cases) {
        const Point origin = anchoredWindowOrigin(c.pointer, c.oldOrigin, DisplayScale(c.from),
                                                  DisplayScale(c.to), c.offset);
        EXPECT_EQ(origin, c.expected) << c.from << " -> " << c.to;
    }
}

TEST(DisplayScale, TheCatalogScaledKeepsItsSpotsAndScalesTheirPlaces) {
    const HotSpotCatalog logical("www.datavind.example");
    const HotSpotCatalog same = logical.scaled(DisplayScale(96));
    const HotSpotCatalog large = logical.scaled(DisplayScale(144));
    ASSERT_EQ(large.all().size(), logical.all().size());
    for (std::size_t i = 0; i < logical.all().size(); ++i) {
        EXPECT_EQ(same.all()[i].bounds, logical.all()[i].bounds);
        EXPECT_EQ(large.all()[i].name, logical.all()[i].name);
        EXPECT_EQ(large.all()[i].statusText, logical.all()[i].statusText);
        EXPECT_EQ(large.all()[i].bounds, DisplayScale(144).toPhysical(logical.all()[i].bounds));
        EXPECT_EQ(large.all()[i].highlightBounds,
                  DisplayScale(144).toPhysical(logical.all()[i].highlightBounds));
    }
    // lbNoje, 351, 8, 74, 89: edges 526.5, 12, 637.5, 145.5.
    EXPECT_EQ(large.find("lbNoje")->bounds, (Rect{527, 12, 111, 134}));
}

} // namespace
} // namespace dv
