#include "core/shell/PlatformFacts.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

PlatformFacts windows(std::uint32_t platform, std::uint32_t major, std::uint32_t minor, int depth,
                      const char* sp = "") {
    PlatformFacts f;
    f.isWindows = true;
    f.windowsVersion = OsVersionRecord{platform, major, minor, sp};
    f.colourDepth = depth;
    return f;
}

PlatformFacts elsewhere(int depth, bool canShape) {
    PlatformFacts f;
    f.colourDepth = depth;
    f.canShapeWindows = canShape;
    return f;
}

struct ShapeCase {
    const char* what;
    PlatformFacts facts;
    bool shaped;
};

TEST(UseTransparency, Table) {
    const ShapeCase cases[] = {
        {"Windows 2000 at 24 bits", windows(2, 5, 0, 24), true},
        {"XP at 32 bits", windows(2, 5, 1, 32), true},
        {"Server 2003 at 24 bits", windows(2, 5, 2, 24), true},
        {"Server 2003 at 32 bits", windows(2, 5, 2, 32), true},
        {"XP at 16 bits", windows(2, 5, 1, 16), false},
        {"NT 5.3 still NT 5", windows(2, 5, 3, 32), true},
        {"NT 4", windows(2, 4, 0, 32), false},
        {"NT 6", windows(2, 6, 0, 32), false},
        {"Windows 7", windows(2, 6, 1, 32), false},
        {"Windows 10", windows(2, 10, 0, 32), false},
        {"Windows 98", windows(1, 4, 10, 32), false},
        {"failed version query", PlatformFacts{std::nullopt, true, 32, true}, false},
        {"Linux at 24 bits", elsewhere(24, true), true},
        {"Linux at 16 bits", elsewhere(16, true), false},
        {"Linux without shaping", elsewhere(32, false), false},
    };
    for (const ShapeCase& c : cases)
        EXPECT_EQ(useTransparency(c.facts), c.shaped) << c.what;
}

TEST(UseArrowCursors, OnlyOldOrUnknownWindows) {
    EXPECT_TRUE(useArrowCursors(windows(1, 4, 0, 32)));       // 95
    EXPECT_TRUE(useArrowCursors(windows(1, 4, 0, 32, " C"))); // 95 OSR2
    EXPECT_TRUE(useArrowCursors(windows(0, 3, 10, 32)));      // Win32s
    EXPECT_TRUE(useArrowCursors(windows(2, 6, 1, 32)));       // newer than 2003: unknown
    EXPECT_TRUE(useArrowCursors(PlatformFacts{std::nullopt, true, 32, false}));
    EXPECT_FALSE(useArrowCursors(windows(1, 4, 10, 32))); // 98
    EXPECT_FALSE(useArrowCursors(windows(2, 5, 1, 32)));  // XP
    EXPECT_FALSE(useArrowCursors(windows(2, 4, 0, 32)));  // NT 4
    EXPECT_FALSE(useArrowCursors(elsewhere(24, true)));   // Linux has hand cursors
}

} // namespace
} // namespace dv
