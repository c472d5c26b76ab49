#include "core/music/PlayerMath.h"
#include "core/music/Id3v1Tag.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

using namespace player;

std::string block(std::string_view title, std::string_view artist, char pad = ' ',
                  std::string_view magic = "TAG") {
    std::string b(128, '\0');
    b.replace(0, 3, magic);
    std::string t(title), a(artist);
    t.resize(30, pad);
    a.resize(30, pad);
    b.replace(3, 30, t);
    b.replace(33, 30, a);
    return b;
}

TEST(Id3v1Tag, Table) {
    const std::pair<std::string, std::string> cases[] = {
        {block("Song", "Band"), "Band Song"},
        {block("Song", "Band", '\0'), "Band Song"},
        {block("  Song\t", "\x01 Band "), "Band Song"},
        {block("Song", ""), "Song"},
        {block("", "Band"), "Band "},
        {block("", ""), ""},
        {block("Song", "Band", ' ', "tag"), ""},
        {block("S\xe5ng", "Bj\xf6rk"), "Björk Sång"},
        {block("Song\0after", "Band"), "Band Song"},
        {std::string("TAG") + "short", ""},
        {block(std::string(30, 'x'), std::string(30, 'y')),
         std::string(30, 'y') + " " + std::string(30, 'x')},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(tagTextOf(bytes), text);
}

TEST(Id3v1Tag, MissingFileThrows) {
    EXPECT_THROW(FindMP3Tag("/nonexistent/musik/x.mp3"), std::runtime_error);
}

TEST(PlayerMath, TimeFormat) {
    const std::pair<std::optional<long>, const char*> cases[] = {
        {185000, "03:05"}, {0, "00:00"},      {6000000, "100:00"},
        {59999, "00:59"},  {187000, "03:07"}, {std::nullopt, "--:--"},
        {-1, "--:--"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(formatTime(ms), text);
}

TEST(PlayerMath, RelativePositionAndSeek) {
    EXPECT_EQ(relativePosition(92500, 185000), 50);
    EXPECT_EQ(relativePosition(1000, 8000), 12); // 12.5: ties to even
    EXPECT_EQ(relativePosition(3000, 8000), 38); // 37.5
    EXPECT_EQ(relativePosition(5, 0), 0);
    EXPECT_EQ(relativePosition(std::nullopt, 1000), 0);
    EXPECT_EQ(seekTarget(200000, 0, 409), 0);
    EXPECT_EQ(seekTarget(200000, 204, 409), 99756);
    EXPECT_EQ(seekTarget(200000, 409, 409), 200000);
    EXPECT_EQ(seekTarget(200000, -10, 409), -4890); // not clamped
}

TEST(PlayerMath, VolumeAndKnob) {
    EXPECT_EQ(volumeForKnob(62), 0);
    EXPECT_EQ(volumeForKnob(139), 65535);
    EXPECT_EQ(volumeForKnob(100), 32342);
    EXPECT_EQ(percentOfVolume(0), 0);
    EXPECT_EQ(percentOfVolume(65535), 100);
    EXPECT_EQ(percentOfVolume(32342), 49);
    EXPECT_EQ(percentOfVolume(327), 0); // 0.4990
    EXPECT_EQ(percentOfVolume(983), 1); // 1.49996
    EXPECT_EQ(knobLeftForVolume(65535), 139);
    EXPECT_EQ(knobLeftForVolume(0), 62);
    EXPECT_EQ(knobLeftForVolume(-1), 62);
    EXPECT_EQ(knobLeftForVolume(32768), 100); // 38.5: ties to even
    EXPECT_EQ(clampKnob(10), 62);
    EXPECT_EQ(clampKnob(200), 139);
    EXPECT_EQ(clampKnob(80), 80);
}

} // namespace
} // namespace dv
