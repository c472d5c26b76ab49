#include "core/shell/HiddenScreenKeys.h"
#include "core/shell/HiddenScreenTimeline.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

// Types each character; returns how many times the screen opened.
int typeAll(HiddenScreenKeys& keys, std::string_view text) {
    int opened = 0;
    for (const char c : text)
        opened += keys.type(std::string(1, c)) ? 1 : 0;
    return opened;
}

TEST(HiddenScreenKeys, Table) {
    const std::pair<const char*, int> cases[] = {
        {"MANGO", 1},       {"MMANGO", 0}, // the repeated letter empties the buffer and is lost
        {"MMMANGO", 1},                    // ...but the one after it starts afresh
        {"mango", 0},       {"MANgO", 0},
        {"MANGOMANGO", 1}, // the first M after success overflows and is lost
        {"MANGOXMANGO", 2}, {"XMANGO", 1},
        {"MANMANGO", 0}, // "MANM" breaks; the M is lost, "ANGO" never matches
    };
    for (const auto& [text, opened] : cases) {
        HiddenScreenKeys keys;
        keys.enterStrip();
        EXPECT_EQ(typeAll(keys, text), opened) << text;
    }
}

TEST(HiddenScreenKeys, OnlyWhileArmedAndTheBufferSurvivesLeaving) {
    HiddenScreenKeys keys;
    EXPECT_EQ(typeAll(keys, "MANGO"), 0);
    EXPECT_EQ(keys.buffer(), "");
    keys.enterStrip();
    typeAll(keys, "MAN");
    keys.leaveStrip();
    EXPECT_EQ(typeAll(keys, "XYZ"), 0); // not armed: ignored, the buffer keeps "MAN"
    EXPECT_EQ(keys.buffer(), "MAN");
    keys.enterStrip();
    EXPECT_EQ(typeAll(keys, "GO"), 1);
    EXPECT_EQ(keys.buffer(), "MANGO");
    EXPECT_FALSE(keys.type("\xc3\xa5")); // å overflows
    EXPECT_EQ(keys.buffer(), "");
}

TEST(HiddenScreenTimeline, TicksEveryThreeSecondsUnlessGivenAnotherInterval) {
    EXPECT_EQ(HiddenScreenTimeline().tickInterval(), std::chrono::milliseconds(3000));
    EXPECT_EQ(HiddenScreenTimeline(std::chrono::milliseconds(200)).tickInterval(),
              std::chrono::milliseconds(200));
}

TEST(HiddenScreenTimeline, FirstShowing) {
    HiddenScreenTimeline t;
    EXPECT_FALSE(t.timerEnabled());
    EXPECT_EQ(t.image(), (Placement{{272, 152, 253, 152}, false}));
    EXPECT_EQ(t.player(), (Placement{{144, 184, 320, 240}, false}));
    t.formShow();
    EXPECT_TRUE(t.timerEnabled());
    // 3 s: the picture in the middle of a 1025 x 768 window.
    EXPECT_FALSE(t.tick(1025, 768));
    EXPECT_EQ(t.image(), (Placement{{386, 308, 253, 152}, true}));
    EXPECT_FALSE(t.player().visible);
    // 6 s: out of sight, still visible.
    EXPECT_FALSE(t.tick(1025, 768));
    EXPECT_EQ(t.image(), (Placement{{-253, -152, 253, 152}, true}));
    // 9 s: the player in the middle, the film opens, the timer stops.
    EXPECT_TRUE(t.tick(1025, 768));
    EXPECT_EQ(t.player(), (Placement{{352, 264, 320, 240}, true}));
    EXPECT_FALSE(t.timerEnabled());
    EXPECT_EQ(t.image().bounds.left, -253);
}

TEST(HiddenScreenTimeline, SecondShowingPlaysAtTheFirstTick) {
    HiddenScreenTimeline t;
    t.formShow();
    t.tick(800, 600);
    t.tick(800, 600);
    t.tick(800, 600);
    t.formShow();
    EXPECT_TRUE(t.tick(800, 600));
    EXPECT_EQ(t.image().bounds.left, -253); // the picture is not shown again
    EXPECT_EQ(t.player(), (Placement{{240, 180, 320, 240}, true}));
}

TEST(HiddenScreenTimeline, CentringTruncatesTowardZero) {
    HiddenScreenTimeline t;
    t.formShow();
    t.tick(100, 100); // smaller than the picture: negative, truncated toward zero
    EXPECT_EQ(t.image().bounds.left, -76); // (100 - 253) / 2 = -76.5
    EXPECT_EQ(t.image().bounds.top, -26);
}

} // namespace
} // namespace dv
