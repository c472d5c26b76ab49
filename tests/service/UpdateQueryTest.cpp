#include "UpdateQuery.h"

#include <gtest/gtest.h>

#include <string>

namespace dv {
namespace {

using namespace std::string_literals;

TEST(UpdateQuery, DiscIdsAsEveryKindOfDiscSendsThem) {
    const struct {
        std::string target;
        std::optional<std::string> id;
    } cases[] = {
        {"/dvcd/autoupdate.asp?discid=ABC%202004", "ABC 2004"},
        {"/dvcd/autoupdate.asp?discid=ABC 2004", "ABC 2004"}, // older discs: the label as it is
        {"/dvcd/autoupdate.asp?discid=ABC+2004", "ABC+2004"}, // a plus is a plus
        {"/dvcd/autoupdate.asp?discid=C%2B%2B%202004", "C++ 2004"}, // the program's plus
        {"/dvcd/autoupdate.asp?discid=%23%26%25%2b", "#&%+"},
        {"/dvcd/autoupdate.asp?discid=R&D 2004", "R&D 2004"}, // a label's own '&'
        {"/dvcd/autoupdate.asp?discid=R&D&x=1", "R&D"},
        {"/dvcd/autoupdate.asp?discid=ABC&x=1", "ABC"},
        {"/dvcd/autoupdate.asp?x=1&discid=ABC", "ABC"},
        {"/dvcd/autoupdate.asp?discid=A&discid=B", "A"},
        {"/dvcd/autoupdate.asp?discid=100%", "100%"}, // not an escape: kept
        {"/dvcd/autoupdate.asp?discid=100%25", "100%"},
        {"/dvcd/autoupdate.asp?discid=%zz%2", "%zz%2"},
        {"/dvcd/autoupdate.asp?discid=%00%FF", "\0\xFF"s},
        {"/dvcd/autoupdate.asp?discid=", ""}, // an unlabelled disc
        {"/dvcd/autoupdate.asp?discid=ERROR", "ERROR"},
        {"/dvcd/autoupdate.asp?disc=ABC", std::nullopt},
        {"/dvcd/autoupdate.asp?xdiscid=ABC", std::nullopt},
        {"/dvcd/autoupdate.asp", std::nullopt},
    };
    for (const auto& c : cases) {
        const UpdateQuery query = UpdateQuery::parse(c.target);
        EXPECT_EQ(query.path, "/dvcd/autoupdate.asp") << c.target;
        EXPECT_EQ(query.discId, c.id) << c.target;
    }
}

TEST(UpdateQuery, TheAbsoluteFormOfAProxyRequest) {
    const UpdateQuery query =
        UpdateQuery::parse("http://update.example:8080/dvcd/autoupdate.asp?discid=ABC%202004");
    EXPECT_EQ(query.path, "/dvcd/autoupdate.asp");
    EXPECT_EQ(query.discId, "ABC 2004");
    EXPECT_EQ(UpdateQuery::parse("http://update.example").path, "");
    EXPECT_EQ(UpdateQuery::parse("http://update.example?discid=x").discId, "x");
}

TEST(UpdateQuery, ThePathIsEverythingBeforeTheQuery) {
    EXPECT_EQ(UpdateQuery::parse("/a/b?discid=x").path, "/a/b");
    EXPECT_EQ(UpdateQuery::parse("/dvcd/AUTOUPDATE.asp?discid=x").path, "/dvcd/AUTOUPDATE.asp");
    EXPECT_EQ(UpdateQuery::parse("").path, "");
}

} // namespace
} // namespace dv
