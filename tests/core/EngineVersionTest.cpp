#include "core/browser/EngineVersion.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(EngineVersion, ReadsUnderBothSeparators) {
    struct Case {
        std::optional<std::string> text;
        char separator;
        double expected;
    };
    const Case cases[] = {
        {"5.0000", ',', 5.0},  {"5.0000", '.', 5.0}, {"4.7200", ',', 4.72},   {"4.7200", '.', 4.72},
        {"6,0000", ',', 6.0},  {"6,0000", '.', -1},  {"6.0000", ',', 6.0},    {"6.0000", '.', 6.0},
        {"", ',', -1},         {"", '.', -1},        {std::nullopt, ',', -1}, {"abc", '.', -1},
        {"6.0.2800", '.', -1}, {" 7.0 ", '.', 7.0},  {"108.0", '.', 108.0},   {"1e1", '.', 10.0},
        {"0x10", '.', -1},     {"inf", '.', -1},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(engineVersionFromText(c.text, c.separator), c.expected)
            << "'" << c.text.value_or("<missing>") << "' with '" << c.separator << "'";
}

TEST(EngineVersion, LocaleNumberShape) {
    EXPECT_EQ(parseLocaleNumber("-2,5", ','), -2.5);
    EXPECT_EQ(parseLocaleNumber("+3", '.'), 3.0);
    EXPECT_EQ(parseLocaleNumber(",5", ','), 0.5);
    EXPECT_EQ(parseLocaleNumber("5,", ','), 5.0);
    EXPECT_FALSE(parseLocaleNumber(",", ','));
    EXPECT_FALSE(parseLocaleNumber("1,2,3", ','));
    EXPECT_FALSE(parseLocaleNumber("1e", '.'));
    EXPECT_FALSE(parseLocaleNumber("--1", '.'));
}

TEST(EngineVersion, MajorMinorOfDottedVersion) {
    EXPECT_EQ(majorMinorOf("108.0.5359.220"), "108.0");
    EXPECT_EQ(majorMinorOf("6.0"), "6.0");
    EXPECT_EQ(majorMinorOf("6"), "6");
    EXPECT_EQ(majorMinorOf(""), "");
}

} // namespace
} // namespace dv
