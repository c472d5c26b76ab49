// The shared table of update documents through this platform's parser.

#include "UpdateDocumentTable.h"
#include "PlatformXmlParser.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(UpdateDocumentTable, TheSameDecisionsOnEveryPlatform) {
    test::PlatformXmlParser parser;
    for (const test::UpdateDocumentCase& c : test::updateDocumentCases()) {
        if (c.wineTakesIt && test::runningUnderWine())
            continue;
        EXPECT_EQ(test::decisionsFor(parser, c.document), c.decisions) << c.name;
    }
}

// A parser is used for one document after another: nothing of one run may
// reach the next.
TEST(UpdateDocumentTable, OneParserForEveryDocument) {
    test::PlatformXmlParser parser;
    const auto cases = test::updateDocumentCases();
    for (auto c = cases.rbegin(); c != cases.rend(); ++c) {
        if (c->wineTakesIt && test::runningUnderWine())
            continue;
        EXPECT_EQ(test::decisionsFor(parser, c->document), c->decisions) << c->name;
    }
}

} // namespace
} // namespace dv
