#include "win32/update/MsXmlParser.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

namespace dv::win32 {
namespace {

std::string shape(const XmlNode& node) {
    std::string out;
    switch (node.kind) {
    case XmlNode::Kind::Element:
        out = node.name + "(";
        for (const XmlNode& c : node.children)
            out += shape(c);
        return out + ")";
    case XmlNode::Kind::Text:
        return "'" + node.text + "'";
    case XmlNode::Kind::Other:
        return "[" + node.text + "]";
    }
    return out;
}

TEST(MsXmlParser, TheTreeTheLibxml2AdapterBuilds) {
    MsXmlParser parser;
    const std::pair<const char*, const char*> cases[] = {
        {"<d/>", "d()"},
        {"<d> <a>x</a>\n <b/> </d>", "d(a('x')b())"},
        {"<d>  </d>", "d('  ')"},
        {"<d><a><![CDATA[ ]]></a><![CDATA[ ]]><b/></d>", "d(a(' ')b())"},
        {"<d><!--c--><?pi data?><a>x&amp;y</a></d>", "d([c][data]a('x&y'))"},
        {"<p:d xmlns:p='urn:p'><p:a>1</p:a></p:d>", "d(a('1'))"},
    };
    for (const auto& [document, expected] : cases)
        EXPECT_EQ(shape(parser.parse(document)), expected) << document;
}

TEST(MsXmlParser, RefusalsAreXmlErrors) {
    MsXmlParser parser;
    std::string many = "<d";
    for (int i = 0; i < 65; ++i)
        many += " a" + std::to_string(i) + "='x'";
    many += "/>";
    for (const std::string& document :
         {std::string(), std::string("<d>"), std::string("<!DOCTYPE d><d/>"),
          std::string("<d><d/><!DOCTYPE d></d>"), std::string("<?xml version='1.0'?>"), many})
        EXPECT_THROW(parser.parse(document), XmlError) << document;
}

// COM is set up for the parse when the thread has none, and put away again.
TEST(MsXmlParser, ThreadWithoutComIsLeftWithout) {
    std::thread([] {
        MsXmlParser parser;
        EXPECT_EQ(parser.parse("<d>a</d>").children.at(0).text, "a");
        const HRESULT later = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        EXPECT_EQ(later, S_OK); // S_FALSE would mean the parser left COM behind
        CoUninitialize();
    }).join();
}

TEST(MsXmlParser, ThreadWithComOfEitherKind) {
    for (const DWORD model : {DWORD{COINIT_APARTMENTTHREADED}, DWORD{COINIT_MULTITHREADED}}) {
        std::thread([model] {
            ASSERT_EQ(CoInitializeEx(nullptr, model), S_OK);
            MsXmlParser parser;
            EXPECT_EQ(parser.parse("<d>a</d>").children.at(0).text, "a");
            EXPECT_EQ(parser.parse("<d>b</d>").children.at(0).text, "b");
            CoUninitialize();
        }).join();
    }
}

} // namespace
} // namespace dv::win32
