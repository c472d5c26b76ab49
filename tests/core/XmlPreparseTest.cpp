#include "core/update/XmlPreparse.h"

#include <gtest/gtest.h>

#include <functional>

namespace dv {
namespace {

constexpr std::size_t kNearlyFull = kMaxXmlDocumentBytes - 64;

// `unit` repeated while the document stays under the size cap.
std::string repeated(const std::string& head, const std::string& unit,
                     const std::string& tail = "") {
    std::string doc = head;
    while (doc.size() + unit.size() + tail.size() <= kNearlyFull)
        doc += unit;
    return doc + tail;
}

std::string refusalOf(const std::string& document) {
    try {
        XmlPreparse::text(document);
    } catch (const XmlError& e) {
        return e.what();
    }
    return "taken";
}

std::string attributes(int count) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += " a" + std::to_string(i) + "=''";
    return s;
}

std::string levels(int count) {
    std::string open, close;
    for (int i = 0; i < count; ++i) {
        open += "<a>";
        close += "</a>";
    }
    return open + close;
}

TEST(XmlPreparse, SaysWhyADocumentIsRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string(kMaxXmlDocumentBytes + 1, ' '),
         "the document is larger than 1 MiB (1048577 bytes)"},
        {"", "the document is empty"},
        {"<d>\n<!-- open\n</d>",
         "the document is not well-formed XML at line 2: a comment is not closed"},
        {"<d>\n\n<![CDATA[x</d>",
         "the document is not well-formed XML at line 3: a CDATA section is not closed"},
        {"<?xml version='1.0'",
         "the document is not well-formed XML at line 1: a processing instruction is not closed"},
        {"<!DOCTYPE d><d/>", "the document declares a document type (DTD) at line 1"},
        {"<d>\n<e" + attributes(65) + "/></d>",
         "the element at line 2 has more than 64 attributes"},
        {[] {
             std::string s = "<d>";
             for (int i = 0; i < 65; ++i)
                 s += "<e xmlns:p" + std::to_string(i) + "='u'/>\n";
             return s + "</d>";
         }(),
         "the document declares more than 64 namespaces (line 65)"},
        {levels(65), "the document is nested more than 64 levels deep (line 1)"},
        {"<d>\xC3</d>", "the document is not well-formed UTF-8"},
        {"<d>" + repeated("", "<e/>").substr(0, 4 * 10000) + "</d>",
         "the document holds more than 10000 elements, attributes, comments and other markup (line "
         "1)"},
        {"<d>\n&amp;&e;</d>", "the document refers to an undeclared entity at line 2"},
        {"<d a='x'>\n<e b='\n&lt;&nbsp;'/></d>",
         "the document refers to an undeclared entity at line 3"},
    };
    for (const auto& [document, expected] : cases)
        EXPECT_EQ(refusalOf(document), expected) << document.substr(0, 60);
}

TEST(XmlPreparse, TakesWhatIsWithinTheBounds) {
    const std::string cases[] = {
        "<d/>",
        levels(64),
        // Self-closed elements open no level.
        levels(63).insert(63 * 3, "<e/><e/><e x='1'/>"),
        "<d><!-- <e> --><![CDATA[<e><e>]]><?pi <e>?></d>",
        "<d a='&gt;' b=\"/>\"><e/></d>",
        // Markup-looking text in a value is no tag.
        "<d v='--> ]]> ?>'/>",
        "<d>" + repeated("", "<e/>").substr(0, 4 * 9999) + "</d>",
        // XML's own five, character references, and what only looks like a
        // reference (a stray "&", one inside markup that is not text).
        "<d a='&quot;&apos;'>&amp;&lt;&gt;&#229;&#xE5; a & b &c d; <!-- &e; --><![CDATA[&e;]]><?pi "
        "&e;?></d>",
    };
    for (const std::string& document : cases)
        EXPECT_EQ(refusalOf(document), "taken") << document.substr(0, 60);
}

// Each hostile shape at the size cap is read or refused in one pass: the
// ones that used to search to the end of the text again and again ran for
// minutes, beyond this suite's time limit.
TEST(XmlPreparse, HostileShapesAtTheSizeCapAreAnsweredInOnePass) {
    const std::pair<std::string, std::string> cases[] = {
        {repeated("", "<!--"), "a comment is not closed"},
        {repeated("<d>", "<?"), "a processing instruction is not closed"},
        {repeated("<d>", "<![CDATA["), "a CDATA section is not closed"},
        {repeated("<d>", "<!---->", "</d>"), "more than 10000 elements, attributes, comments"},
        {repeated("<d>", "<?p?>x", "</d>"), "more than 10000 elements, attributes, comments"},
        {repeated("<d>", "<a>"), "nested more than 64 levels"},
        {repeated("<d", " a"), "more than 64 attributes"},
        {repeated("<d><e a='", "x", "'/></d>"), "taken"},
        {repeated("<d>", "<a "), "nested more than 64 levels"},
        {repeated("<d>", "&e;", "</d>"), "undeclared entity"},
        {repeated("<d>", "&", "</d>"), "taken"},
        {repeated("<d>&", "e", ";</d>"), "undeclared entity"},
        {repeated("<d>", "&amp;", "</d>"), "taken"},
        {repeated("<", "n", "/>"), "taken"},
        {repeated("<d>", "<e/>", "</d>"), "more than 10000 elements, attributes"},
        {repeated("<d>", "<e/>x", "</d>"), "more than 10000 elements, attributes"},
        {repeated("<d>", "<e" + attributes(64) + "/>", "</d>"),
         "more than 10000 elements, attributes"},
        {"<d>" + repeated("", "<!-- -->").substr(0, 8 * 9998) + "</d>", "taken"},
    };
    for (const auto& [document, expected] : cases)
        EXPECT_NE(refusalOf(document).find(expected), std::string::npos) << document.substr(0, 30);
}

TEST(XmlPreparse, AParsersRefusalSaysWhere) {
    EXPECT_STREQ(
        XmlPreparse::notWellFormed(3, "Opening and ending tag mismatch: e line 2 and d\n").what(),
        "the document is not well-formed XML at line 3: Opening and ending tag mismatch: e line 2 "
        "and d");
    EXPECT_STREQ(XmlPreparse::notWellFormed(0, "").what(), "the document is not well-formed XML");
}

TEST(XmlPreparse, BlanksBesideElementsAreLayout) {
    EXPECT_FALSE(XmlPreparse::keepsText(" \r\n\t", true));
    EXPECT_TRUE(XmlPreparse::keepsText(" \r\n\t", false));
    EXPECT_TRUE(XmlPreparse::keepsText(" x ", true));
}

} // namespace
} // namespace dv
