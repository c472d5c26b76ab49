#include "EntityTags.h"
#include "HttpDate.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(HttpDate, WritesTheFixedFormat) {
    EXPECT_EQ(httpDate(784111777), "Sun, 06 Nov 1994 08:49:37 GMT");
    EXPECT_EQ(httpDate(0), "Thu, 01 Jan 1970 00:00:00 GMT");
}

TEST(HttpDate, ReadsAllThreeFormsAndNothingElse) {
    const struct {
        const char* text;
        std::optional<std::time_t> time;
    } cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", 784111777},
        {"Sunday, 06-Nov-94 08:49:37 GMT", 784111777},
        {"Sun Nov  6 08:49:37 1994", 784111777},
        {"Sun, 06 Nov 1994 08:49:37 GMT trailing", std::nullopt},
        {"06 Nov 1994", std::nullopt},
        {"", std::nullopt},
        {"yesterday", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseHttpDate(c.text), c.time) << c.text;
    EXPECT_EQ(parseHttpDate(httpDate(1700000000)), 1700000000);
}

TEST(EntityTags, StrongQuotedAndOneForTheSameBytes) {
    const std::string tag = strongEntityTag("<dvcd/>");
    EXPECT_EQ(tag.front(), '"');
    EXPECT_EQ(tag.back(), '"');
    EXPECT_EQ(tag.find("W/"), std::string::npos);
    EXPECT_EQ(tag, strongEntityTag("<dvcd/>"));
    EXPECT_NE(tag, strongEntityTag("<dvcd/> "));
    EXPECT_NE(tag, strongEntityTag("<dvce/>"));
    EXPECT_NE(strongEntityTag(""), strongEntityTag(std::string(1, '\0')));
}

TEST(EntityTags, IfNoneMatchNamesTheTag) {
    const std::string tag = "\"2f-0123456789abcdef\"";
    const struct {
        const char* header;
        bool names;
    } cases[] = {
        {"\"2f-0123456789abcdef\"", true},
        {"W/\"2f-0123456789abcdef\"", true}, // the weak comparison
        {"\"x\", \"2f-0123456789abcdef\"", true},
        {"\"x\",W/\"2f-0123456789abcdef\" ", true},
        {"*", true},
        {" * ", true},
        {"\"2f-0123456789abcdee\"", false},
        {"2f-0123456789abcdef", false},
        {"\"x\", \"y\"", false},
        {"", false},
        {",,,", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(noneMatchNames(c.header, tag), c.names) << c.header;
}

} // namespace
} // namespace dv
