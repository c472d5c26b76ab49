#include "XmlCharset.h"

#include <gtest/gtest.h>

#include <string>

namespace dv {
namespace {

using namespace std::string_literals;

TEST(XmlCharset, FromTheByteOrderMarkTheFirstBytesOrTheDeclaration) {
    const struct {
        std::string document;
        std::string charset;
    } cases[] = {
        {"<dvcd/>", "UTF-8"},
        {"<?xml version=\"1.0\"?><dvcd/>", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><dvcd/>", "ISO-8859-1"},
        {"<?xml version='1.0' encoding='windows-1252'?><dvcd/>", "windows-1252"},
        {"<?xml version = \"1.0\"\n\tencoding = 'UTF-8' standalone='yes'?><d/>", "UTF-8"},
        {"<?xml encoding=\"koi8-r\" version=\"1.0\"?><d/>", "koi8-r"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><d/>", "UTF-8"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><d/>", "UTF-8"}, // the mark wins
        {"\xFF\xFE<\0?\0x\0m\0l\0"s, "UTF-16"},
        {"\xFE\xFF\0<\0?\0x\0m\0l"s, "UTF-16"},
        {"<\0?\0x\0m\0l\0"s, "UTF-16LE"},
        {"\0<\0?\0x\0m\0l"s, "UTF-16BE"},
        {"\xFF\xFE\0\0<\0\0\0"s, "UTF-32"},
        {"\0\0\xFE\xFF\0\0\0<"s, "UTF-32"},
        {"<\0\0\0?\0\0\0"s, "UTF-32LE"},
        {"\0\0\0<\0\0\0?"s, "UTF-32BE"},
        // An 8-bit document is not in a wide encoding whatever it says.
        {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><d/>", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"ucs-2\"?><d/>", "UTF-8"},
        // Malformed declarations and names give the default, never a header
        // that could carry anything.
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1?><d/>", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=ISO-8859-1?><d/>", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"a\r\nSet-Cookie: x\"?><d/>", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"8bit\"?><d/>", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"" + std::string(65, 'A') + "\"?><d/>", "UTF-8"},
        {"<?xmlx encoding=\"ISO-8859-1\"?><d/>", "UTF-8"},
        {" <?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><d/>", "UTF-8"},
        {"<!-- encoding=\"ISO-8859-1\" --><d/>", "UTF-8"},
        {"", "UTF-8"},
        {"<", "UTF-8"},
        {"<?xml", "UTF-8"},
        {"<?xml ", "UTF-8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(xmlCharset(c.document), c.charset) << c.document.substr(0, 60);
}

TEST(XmlCharset, ADeclarationOfAnyLengthIsReadInOnePass) {
    // Padded as far as a document may go: the scan neither recurses nor
    // looks at a character twice.
    const std::string padding(1024 * 1024 - 100, ' ');
    const std::string document = "<?xml version=\"1.0\"" + padding + "encoding=\"ISO-8859-15\"?><dvcd/>";
    EXPECT_EQ(xmlCharset(document), "ISO-8859-15");
    EXPECT_EQ(xmlCharset("<?xml version=\"1.0\"" + padding), "UTF-8");
    EXPECT_EQ(xmlCharset("<?xml version=\"" + padding + "\" encoding=\"ISO-8859-1\"?><d/>"), "ISO-8859-1");
}

} // namespace
} // namespace dv
