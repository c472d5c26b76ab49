#include "core/text/AnsiText.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(AnsiText, UpperCasesTheWindows1252Repertoire) {
    const std::pair<const char*, const char*> cases[] = {
        {"command:execute=", "COMMAND:EXECUTE="},
        {"åäö", "ÅÄÖ"},
        {"ÅÄÖ", "ÅÄÖ"},
        {"éüñøæ", "ÉÜÑØÆ"},
        {"šœžÿ", "ŠŒŽŸ"},
        {"÷ß", "÷ß"},       // no upper case in the code page
        {"€ µ ı", "€ µ ı"}, // outside or without an upper case: kept
        {"<thisdir>", "<THISDIR>"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(upperAnsi(in), out) << in;
        EXPECT_EQ(upperAnsi(in).size(), std::string(in).size()) << in;
    }
}

TEST(AnsiText, Utf8Validity) {
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("spel\\sn\xc3\xb6"
                            "boll"));
    EXPECT_TRUE(isValidUtf8("\xe2\x82\xac"));
    EXPECT_TRUE(isValidUtf8("\xf0\x9f\x98\x80"));
    EXPECT_FALSE(isValidUtf8("sn\xf6"
                             "boll"));             // Windows-1252 ö
    EXPECT_FALSE(isValidUtf8("\xc3"));             // cut short
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));         // overlong
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(isValidUtf8("\x80"));
}

TEST(AnsiText, BytesBecomeText) {
    EXPECT_EQ(bytesToText("sn\xf6"
                          "boll"),
              "snöboll");
    EXPECT_EQ(bytesToText("sn\xc3\xb6"
                          "boll"),
              "snöboll");
    EXPECT_EQ(windows1252ToUtf8("\x80\x8a\x9f\xe5"), "€ŠŸå");
    EXPECT_EQ(windows1252ToUtf8("\x81"), "\xef\xbf\xbd");
}

} // namespace
} // namespace dv
