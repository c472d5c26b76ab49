#include "core/update/DocumentEncoding.h"

#include "core/update/XmlDocument.h"

#include <gtest/gtest.h>

#include <optional>

namespace dv {
namespace {

// A literal with the NULs it holds.
template <std::size_t N> std::string bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

TEST(DocumentEncoding, FromTheMarkElseTheDeclarationElseUtf8) {
    using E = DocumentEncoding;
    const std::pair<std::string, std::optional<E>> cases[] = {
        {"<d/>", E::Utf8},
        {"", E::Utf8},
        {"<?xml version='1.0'?><d/>", E::Utf8},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><d/>", E::Utf8},
        {"<?xml version=\"1.0\" encoding = 'utf-8' ?><d/>", E::Utf8},
        {"\xEF\xBB\xBF<d/>", E::Utf8},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?><d/>", E::Utf8},
        {"<?xml version='1.0' encoding='iso-8859-1'?><d>\xF6</d>", E::Latin1},
        {"<?xml version='1.0' encoding='Windows-1252'?><d>\x80</d>", E::Windows1252},
        {"<?xml version='1.0' encoding='US-ASCII'?><d/>", E::Ascii},
        {bytes("\xFF\xFE<\0d\0/\0>\0"), E::Utf16LE},
        {bytes("\xFE\xFF\0<\0d\0/\0>"), E::Utf16BE},
        {bytes("<\0?\0x\0m\0l\0 \0e\0n\0c\0o\0d\0i\0n\0g\0=\0'\0U\0T\0F\0-\0001\0006\0'\0?\0>\0"),
         E::Utf16LE},
        // The word in the text, not in the declaration, says nothing.
        {"<d>encoding='KOI8-R'</d>", E::Utf8},
        {"<?xml-stylesheet encoding='KOI8-R'?><d/>", E::Utf8},
        // Refused: other parsers would decide differently.
        {"<?xml version='1.0' encoding='KOI8-R'?><d/>", std::nullopt},
        {"<?xml version='1.0' encoding='UTF8'?><d/>", E::Utf8},
        {"<?xml version='1.0' encoding='latin1'?><d/>", E::Latin1},
        {"<?xml version='1.0' encoding='cp1252'?><d/>", E::Windows1252},
        {"<?xml version='1.0' encoding='ISO-8859-15'?><d/>", std::nullopt},
        {"<?xml version='1.0' encoding='UTF-32'?><d/>", std::nullopt},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?><d/>", std::nullopt},
        {"<?xml version='1.0' encoding='UTF-16'?><d/>", std::nullopt},
        {bytes(
             "\xFF\xFE<\0?\0x\0m\0l\0 \0e\0n\0c\0o\0d\0i\0n\0g\0=\0'\0U\0T\0F\0-\0008\0'\0?\0>\0"),
         std::nullopt},
        {"<?xml version='1.0' encoding='US-ASCII'?><d>\xC3\xB6</d>", std::nullopt},
        {"<?xml version='1.0' encoding='windows-1252'?><d>\x8D</d>", std::nullopt},
        {bytes("\0\0\xFE\xFF"), std::nullopt},
    };
    for (const auto& [bytes, expected] : cases) {
        if (expected) {
            EXPECT_EQ(documentEncoding(bytes), *expected) << bytes;
        } else {
            EXPECT_THROW(documentEncoding(bytes), XmlError) << bytes;
        }
    }
}

TEST(DocumentEncoding, TheTextAsUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"<d>snö</d>", "<d>snö</d>"},
        {"\xEF\xBB\xBF<d>snö</d>", "<d>snö</d>"},
        {"<?xml version='1.0' encoding='ISO-8859-1'?><d>sn\xF6 \x80</d>",
         "<?xml version='1.0' encoding='ISO-8859-1'?><d>snö \xC2\x80</d>"},
        {"<?xml version='1.0' encoding='windows-1252'?><d>\x80\x9A</d>",
         "<?xml version='1.0' encoding='windows-1252'?><d>€š</d>"},
        {bytes("\xFF\xFE<\0d\0>\0\xF6\0<\0/\0d\0>\0"), "<d>ö</d>"},
        {bytes("\xFE\xFF\0<\0d\0>\xD8\x3C\xDF\xB5\0<\0/\0d\0>"), "<d>\xF0\x9F\x8E\xB5</d>"},
        {bytes("\0<\0d\0/\0>"), "<d/>"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(documentText(bytes), text) << bytes;
}

TEST(DocumentEncoding, BytesThatAreNoTextInTheirEncoding) {
    for (const std::string& document : {
             std::string("<d>sn\xF6</d>"),    // Latin-1 without a declaration
             std::string("<d>\xC3</d>"),      // cut UTF-8
             bytes("\xFF\xFE<\0d\0>"),        // half a unit
             bytes("\xFF\xFE<\0\x00\xDC>\0"), // a lone low surrogate
             bytes("\xFF\xFE<\0\x3C\xD8>\0"), // a high one without its pair
             std::string("<d>a\0b</d>", 10),  // NUL
         })
        EXPECT_THROW(documentText(document), XmlError) << document;
}

} // namespace
} // namespace dv
