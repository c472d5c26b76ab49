#include "core/update/QueryValue.h"

#include "core/browser/UrlDecoder.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(QueryValue, EncodesExactlyWhatWouldChangeTheAddress) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"ERROR", "ERROR"},
        {"ABC 2004", "ABC%202004"},
        {"DV#12", "DV%2312"},
        {"a&discid=b", "a%26discid%3Db"},
        {"C++ 100%", "C%2B%2B%20100%25"},
        {"a;b", "a%3Bb"},
        {"%41", "%2541"},
        {"\t\r\n\x01\x1f\x7f", "%09%0D%0A%01%1F%7F"},
        {"\"<>[\\]^`{|}", "%22%3C%3E%5B%5C%5D%5E%60%7B%7C%7D"},
        // Kept: letters, digits and the punctuation a query value may hold.
        {"Az09-_~!$'()*,:@", "Az09-_~!$'()*,:@"},
        // Dot segments would move the request to another path.
        {"a/../../b", "a%2F%2E%2E%2F%2E%2E%2Fb"},
        {"/..", "%2F%2E%2E"},
        {"./x", "%2E%2Fx"},
        {"DV 12.2004", "DV%2012%2E2004"},
        {"a?b", "a%3Fb"},
        // Well-formed UTF-8 is kept; stray bytes are not text and are encoded.
        {"Snöbollskriget €", "Snöbollskriget%20€"},
        {"\xF6", "%F6"},               // a Latin-1 ö
        {"a\xC3", "a%C3"},             // cut short
        {"\xC0\xAF", "%C0%AF"},        // overlong
        {"\xED\xA0\x80", "%ED%A0%80"}, // a surrogate
        {"\xF0\x9F\x92\xBF!", "\xF0\x9F\x92\xBF!"},
        {std::string("a\0b", 3), "a%00b"},
    };
    for (const auto& [label, encoded] : cases)
        EXPECT_EQ(encodeQueryValue(label), encoded) << label;
}

TEST(QueryValue, DecodingGivesBackTheLabel) {
    const char* labels[] = {"ABC 2004", "DV#12",  "a+b&c=d;e", "100% %zz",
                            "Snö\xF6",  " +%2B ", "a/../../b", "./."};
    for (const char* label : labels)
        EXPECT_EQ(urlDecode(encodeQueryValue(label)), label) << label;
}

} // namespace
} // namespace dv
