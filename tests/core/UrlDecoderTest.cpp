#include "core/browser/UrlDecoder.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(UrlDecoder, Table) {
    const std::pair<std::string, std::string> cases[] = {
        {"COMMAND:EXECUTE=a%20b", "COMMAND:EXECUTE=a b"},
        {"a+b", "a b"},
        {"%2B", "+"}, // decoded after the plus rule: stays a plus
        {"%3Cthisdir%3E%5Cx", "<thisdir>\\x"},
        {"a%00b", "ab"},
        {"a%zzb", "ab"},
        {"a%4gb", "ab"},
        {"a%%41", "a1"}, // "%%4" is not hexadecimal; "1" is copied
        {"ab%", "ab"},
        {"ab%4", std::string("ab\x04")}, // one digit left is still read
        {"%c3%a5", "\xc3\xa5"},
        {"%E5", "\xe5"},
        {"%ff", "\xff"},
        {"", ""},
        {"plain", "plain"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(urlDecode(in), out) << in;
}

} // namespace
} // namespace dv
