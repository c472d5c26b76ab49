#include "core/text/LongLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dv {
namespace {

std::string withoutCarriageReturns(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

TEST(LongLines, LongLinesAreCutIntoPiecesOfTheLength) {
    const std::pair<std::string, std::string> cases[] = {
        {"abcdefgh", "abcd\refgh"},
        {"abcd", "abcd"},
        {"abcde", "abcd\re"},
        {"ab\rabcdef\nabcd", "ab\rabcd\ref\nabcd"},
        {"\xC3\xA5\xC3\xA4\xC3\xB6xy", "\xC3\xA5\xC3\xA4\xC3\xB6x\ry"}, // characters, not bytes
        {"", ""},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(breakLongLines(text, 4), shown) << text;
}

TEST(LongLines, ALineOf800000CharactersBecomesShortLinesOfTheWholeText) {
    const std::string line(800000, 'x');
    const std::string shown = breakLongLines(line);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\r'), 799);
    EXPECT_EQ(shown.find('\r'), kMaxShownLineLength);
    EXPECT_EQ(withoutCarriageReturns(shown), line);
}

} // namespace
} // namespace dv
