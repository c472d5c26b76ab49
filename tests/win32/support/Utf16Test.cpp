#include "win32/support/Utf16.h"

#include <gtest/gtest.h>

namespace dv::win32 {
namespace {

TEST(Utf16Test, RoundTripsSwedishAndAstralText) {
    for (const std::string text : {"", "ABC 2004", "Nöjesavdelningen", "Månadens MP3: Snöänglarna",
                                   "\xF0\x9F\x8E\xB5 not", "C:\\Musik\\låt.mp3"}) {
        EXPECT_EQ(narrow(widen(text)), text);
    }
    EXPECT_EQ(widen("Å"), std::wstring(L"\u00C5"));
    EXPECT_EQ(widen("\xF0\x9F\x8E\xB5").size(), 2u); // a surrogate pair
}

TEST(Utf16Test, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(widen("a\xFF"
                    "b"),
              std::wstring(L"a\uFFFDb"));
    EXPECT_EQ(narrow(std::wstring(L"x\xD800y")), "x\xEF\xBF\xBDy");
}

} // namespace
} // namespace dv::win32
