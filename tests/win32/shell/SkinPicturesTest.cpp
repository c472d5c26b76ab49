#include "win32/shell/SkinPictures.h"

#include "core/shell/MainWindowLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace dv::win32 {
namespace {

TEST(SkinPicturesTest, BackgroundIsTheWholeWindowWithItsCornersInTheWindowsColour) {
    const HotSpotCatalog catalog("");
    const SkinPictures skin(catalog);
    const ResourcePicture& background = skin.background();
    ASSERT_FALSE(background.empty());
    EXPECT_EQ(background.width(), layout::kClientWidth);
    EXPECT_EQ(background.height(), layout::kClientHeight);
    EXPECT_FALSE(background.hasAlpha());
    // The corner colour is the picture's bottom-left pixel, as in the skin.
    EXPECT_EQ(skin.cornerColour(), layout::kBackgroundCorner);
    for (const auto& [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}})
        EXPECT_EQ(background.pixel(x, y), layout::kSkyBlue) << x << "," << y;
    // Inside the outline the skin is untouched.
    EXPECT_NE(background.pixel(250, 60), layout::kSkyBlue);
    EXPECT_NE(background.pixel(250, 60), layout::kBackgroundCorner);
}

TEST(SkinPicturesTest, EveryHighlightHasTheSizeOfItsPlace) {
    const HotSpotCatalog catalog("");
    const SkinPictures skin(catalog);
    int highlights = 0;
    for (const HotSpot& spot : catalog.all()) {
        if (spot.highlight.empty())
            continue;
        ++highlights;
        const ResourcePicture& picture = skin.highlight(spot.highlight);
        ASSERT_FALSE(picture.empty()) << spot.highlight;
        EXPECT_EQ(picture.width(), spot.highlightBounds.width) << spot.highlight;
        EXPECT_EQ(picture.height(), spot.highlightBounds.height) << spot.highlight;
        EXPECT_FALSE(picture.hasAlpha()) << spot.highlight;
    }
    EXPECT_EQ(highlights, 14);
    EXPECT_TRUE(skin.highlight("imAktFinnsInte").empty());
}

TEST(ResourcePictureTest, PicturesOfTheOtherWindowsCarryTheirTransparency) {
    struct Case {
        const wchar_t* name;
        int width, height;
    };
    for (const Case& c : {Case{L"Image1", 253, 152}, Case{L"Knob", 7, 20}, Case{L"Filsok", 96, 81},
                          Case{L"FolderOpen", 16, 16}, Case{L"FolderClosed", 16, 16},
                          Case{L"Computer", 16, 16}, Case{L"ProgramWindow", 16, 16}}) {
        const ResourcePicture picture(c.name);
        ASSERT_FALSE(picture.empty());
        EXPECT_TRUE(picture.hasAlpha());
        if (c.width) {
            EXPECT_EQ(picture.width(), c.width);
            EXPECT_EQ(picture.height(), c.height);
        }
    }
    EXPECT_TRUE(ResourcePicture(L"FINNSINTE").empty());
}

// Draws a picture on white and counts what stayed white and what did not.
std::pair<int, int> drawnOnWhite(const ResourcePicture& picture) {
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), picture.width(), -picture.height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, canvas);
    RECT all{0, 0, picture.width(), picture.height()};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture.draw(dc, 0, 0);
    GdiFlush();
    int white = 0, drawn = 0;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < picture.width() * picture.height(); ++i)
        ((pixels[i] & 0xFFFFFF) == 0xFFFFFF ? white : drawn) += 1;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
    return {white, drawn};
}

TEST(ResourcePictureTest, TransparentPicturesLetTheBackgroundShowAndOpaqueOnesCoverIt) {
    const auto [folderWhite, folderDrawn] = drawnOnWhite(ResourcePicture(L"FolderClosed"));
    EXPECT_GT(folderWhite, 0);  // around the folder
    EXPECT_GT(folderDrawn, 40); // the folder itself
    const auto [skinWhite, skinDrawn] = drawnOnWhite(ResourcePicture(L"imAktNoje"));
    EXPECT_EQ(skinWhite, 0);
    EXPECT_EQ(skinDrawn, 72 * 73);
}

} // namespace
} // namespace dv::win32
