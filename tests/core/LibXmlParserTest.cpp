#include "linux/LibXmlParser.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

std::string attributes(int count, const std::string& prefix = "a") {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += " " + prefix + std::to_string(i) + "=\"\"";
    return s;
}

std::string utf16le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

std::string utf16be(const std::string& ascii) {
    std::string out;
    for (const char c : ascii) {
        out += '\0';
        out += c;
    }
    return out;
}

std::string text(const XmlNode& root) {
    return root.children.empty() || root.children[0].children.empty()
               ? std::string()
               : root.children[0].children[0].text;
}

TEST(LibXmlParser, AcceptsAndRefuses) {
    struct Case {
        const char* what;
        std::string document;
        bool accepted;
    };
    const Case cases[] = {
        {"150 000 attributes on one element", "<d" + attributes(150000, "") + "/>", false},
        {"64 attributes", "<d" + attributes(64) + "><e/></d>", true},
        {"65 attributes", "<d" + attributes(65) + "/>", false},
        {"64 on each of many elements",
         "<d>" + std::string(100, ' ') +
             [] {
                 std::string s;
                 for (int i = 0; i < 50; ++i)
                     s += "<e" + attributes(64) + "/>";
                 return s;
             }() +
             "</d>",
         true},
        {"a > in a value hides nothing", "<d x=\">\"" + attributes(65) + "/>", false},
        {"a quote in a comment hides nothing", "<d><!-- \" --><e" + attributes(65) + "/></d>",
         false},
        {"single quotes", "<d x='>\"'" + attributes(65) + "/>", false},
        {"blanks around =", "<d a = \"1\"" + attributes(64, "b") + "/>", false},
        {"attributes written in CDATA are text", "<d><![CDATA[<e" + attributes(100) + ">]]></d>",
         true},
        {"and in comments", "<d><!--<e" + attributes(100) + ">--></d>", true},
        {"and in a text", "<d>" + std::string(200, '=') + " a=b c=d</d>", true},
        {"a document type", "<!DOCTYPE d><d/>", false},
        {"an internal subset", "<!DOCTYPE d [<!ATTLIST d a CDATA 'x'>]><d/>", false},
        {"64 namespaces",
         "<d" + attributes(32, "xmlns:p") + "><e" + attributes(32, "xmlns:q") + "/></d>", true},
        {"65 namespaces",
         "<d" + attributes(33, "xmlns:p") + "><e" + attributes(32, "xmlns:q") + "/></d>", false},
        {"UTF-16 with its mark", utf16le("<d><e>x</e></d>"), true},
        {"UTF-16 with 65 attributes", utf16le("<d" + attributes(65) + "/>"), false},
        {"UTF-16 named over single bytes", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><d/>",
         false},
        {"an unknown encoding", "<?xml version=\"1.0\" encoding=\"x-nonesuch\"?><d/>", false},
        {"UCS-4",
         std::string("\x00\x00\x00<\x00\x00\x00"
                     "d\x00\x00\x00/\x00\x00\x00>",
                     16),
         false},
        {"not well-formed", "<d><e></d>", false},
    };
    for (const Case& c : cases) {
        LibXmlParser parser;
        if (c.accepted)
            EXPECT_NO_THROW(parser.parse(c.document)) << c.what;
        else
            EXPECT_THROW(parser.parse(c.document), XmlError) << c.what;
    }
}

TEST(LibXmlParser, TextsInTheirDeclaredEncodings) {
    const std::pair<std::string, std::string> cases[] = {
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><d><e>sn\xF6</e></d>", "snö"},
        {"<?xml version='1.0' encoding='windows-1252'?><d><e>\x80</e></d>", "€"},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?><d><e>snö</e></d>", "snö"},
        {"\xEF\xBB\xBF<d><e>snö</e></d>", "snö"},
        {utf16le("<?xml version=\"1.0\" encoding=\"UTF-16\"?><d><e>x</e></d>"), "x"},
        {utf16be("<?xml version=\"1.0\"?><d><e>y</e></d>"), "y"}, // no mark: known by its layout
    };
    for (const auto& [document, expected] : cases) {
        LibXmlParser parser;
        EXPECT_EQ(text(parser.parse(document)), expected) << document.substr(0, 40);
    }
}

} // namespace
} // namespace dv
