#include "linux/startwindow/StartWindowPicture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace dv {
namespace {

constexpr std::uint32_t kHole = 0x00000000;
constexpr std::uint32_t kSkin = 0xff102030;

TEST(StartWindowPictureTest, ReadsBackWhatItWrote) {
    const StartWindowPicture picture(3, 2, {kSkin, kHole, 0xff0000ff, 0xffabcdef, kSkin, kHole});
    const auto back = StartWindowPicture::parse(picture.serialise());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width(), 3);
    EXPECT_EQ(back->height(), 2);
    EXPECT_EQ(back->pixel(2, 0), 0xff0000ffu);
    EXPECT_EQ(back->pixel(0, 1), 0xffabcdefu);
    EXPECT_EQ(back->pixel(2, 1), kHole);
}

TEST(StartWindowPictureTest, RefusesWhatIsNoWholePicture) {
    const std::vector<unsigned char> good =
        StartWindowPicture(2, 2, {kSkin, kSkin, kSkin, kSkin}).serialise();
    const auto withSize = [&](std::uint32_t width, std::uint32_t height) {
        std::vector<unsigned char> bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[8 + static_cast<std::size_t>(i)] = static_cast<unsigned char>(width >> (8 * i));
            bytes[12 + static_cast<std::size_t>(i)] = static_cast<unsigned char>(height >> (8 * i));
        }
        return bytes;
    };
    std::vector<unsigned char> wrongMagic = good;
    wrongMagic[0] = 'X';
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"empty", {}},
        {"header only", std::vector<unsigned char>(good.begin(), good.begin() + 16)},
        {"another file", wrongMagic},
        {"a pixel missing", std::vector<unsigned char>(good.begin(), good.end() - 4)},
        {"a byte too many",
         [&] {
             auto b = good;
             b.push_back(0);
             return b;
         }()},
        {"no width", withSize(0, 2)},
        {"larger than it holds", withSize(4, 2)},
        {"absurdly large", withSize(0x10000, 0x10000)},
        {"sizes that overflow", withSize(0xffffffffu, 0xffffffffu)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(StartWindowPicture::parse(c.bytes)) << c.what;
    EXPECT_TRUE(StartWindowPicture::parse(good));
}

TEST(StartWindowPictureTest, ShapeIsTheRunsOfPixelsThatAreNoHoles) {
    const struct {
        const char* what;
        int width;
        std::vector<std::uint32_t> pixels;
        std::vector<PictureRun> runs;
    } cases[] = {
        {"all skin", 3, {kSkin, kSkin, kSkin}, {{0, 0, 3}}},
        {"all holes", 3, {kHole, kHole, kHole}, {}},
        {"rounded corners",
         4,
         {kHole, kSkin, kSkin, kHole, kSkin, kSkin, kSkin, kSkin},
         {{1, 0, 2}, {0, 1, 4}}},
        {"a hole inside", 5, {kSkin, kSkin, kHole, kSkin, kSkin}, {{0, 0, 2}, {3, 0, 2}}},
        // Any alpha but none is the window's: the skin is drawn opaque.
        {"half transparent counts", 2, {0x80ffffff, kHole}, {{0, 0, 1}}},
    };
    for (const auto& c : cases) {
        const int height = static_cast<int>(c.pixels.size()) / c.width;
        EXPECT_EQ(StartWindowPicture(c.width, height, c.pixels).visibleRuns(), c.runs) << c.what;
    }
}

} // namespace
} // namespace dv
