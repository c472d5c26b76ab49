#include "core/shell/WinVersion.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dv {
namespace {

struct Case {
    std::uint32_t platform, major, minor;
    const char* servicePack;
    WinVersion expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.platform << "-" << c.major << "." << c.minor << "'" << c.servicePack << "'";
}

class WinVersionTable : public ::testing::TestWithParam<Case> {};

TEST_P(WinVersionTable, Classifies) {
    const Case& c = GetParam();
    EXPECT_EQ(classifyWinVersion(OsVersionRecord{c.platform, c.major, c.minor, c.servicePack}),
              c.expected)
        << c.platform << " " << c.major << "." << c.minor << " '" << c.servicePack << "'";
}

INSTANTIATE_TEST_SUITE_P(
    AllPlatforms, WinVersionTable,
    ::testing::Values(
        Case{0, 3, 10, "", WinVersion::wvWin32s}, Case{1, 4, 0, "", WinVersion::wvWin95},
        Case{1, 4, 0, " A", WinVersion::wvWin95}, Case{1, 4, 0, " B", WinVersion::wvWin95OSR2},
        Case{1, 4, 0, " C", WinVersion::wvWin95OSR2},
        Case{1, 4, 0, "C", WinVersion::wvWin95}, // the letter must be second
        Case{1, 4, 10, "", WinVersion::wvWin98}, Case{1, 4, 10, " A", WinVersion::wvWin98SE},
        Case{1, 4, 10, " a", WinVersion::wvWin98}, // case-sensitive
        Case{1, 4, 90, "", WinVersion::wvWinME}, Case{1, 4, 20, "", WinVersion::wvUnknown},
        Case{1, 5, 0, "", WinVersion::wvUnknown}, Case{2, 3, 51, "", WinVersion::wvWinNT},
        Case{2, 4, 0, " Service Pack 6", WinVersion::wvWinNT},
        Case{2, 5, 0, "", WinVersion::wvWin2000},
        Case{2, 5, 1, " Service Pack 2", WinVersion::wvWinXP},
        Case{2, 5, 2, "", WinVersion::wvWin2003}, Case{2, 5, 3, "", WinVersion::wvUnknown},
        Case{2, 6, 0, "", WinVersion::wvUnknown}, Case{2, 10, 0, "", WinVersion::wvUnknown},
        Case{3, 5, 1, "", WinVersion::wvUnknown}));

TEST(WinVersion, FailedQueryIsUnknown) {
    EXPECT_EQ(classifyWinVersion(std::nullopt), WinVersion::wvUnknown);
}

TEST(WinVersion, OrderPutsOldWindowsBelowWin98) {
    EXPECT_LT(WinVersion::wvWin95OSR2, WinVersion::wvWin98);
    EXPECT_LT(WinVersion::wvUnknown, WinVersion::wvWin98);
    EXPECT_GT(WinVersion::wvWin2003, WinVersion::wvWin98);
    EXPECT_EQ(static_cast<int>(WinVersion::wvWin2003), 10);
}

} // namespace
} // namespace dv
