// The charset the service names for a document is the one the program
// decodes it with, for every document the program takes.

#include "ServedDocument.h"
#include "UpdatePreview.h"
#include "core/update/DocumentEncoding.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

namespace dv {
namespace {

using namespace std::string_literals;

// The bytes decoded as a client decodes them from the Content-Type.
std::optional<std::string> decodedAs(const std::string& charset, const std::string& bytes) {
    const iconv_t convert = iconv_open("UTF-8", charset.c_str());
    if (convert == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 16, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size(), room = out.size();
    const std::size_t done = iconv(convert, &from, &left, &to, &room);
    iconv_close(convert);
    if (done == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - room);
    return out;
}

std::string charsetOf(const std::string& document) {
    const std::string type = ServedDocument::make(document, 0)->contentType;
    return type.substr(type.find("charset=") + 8);
}

TEST(ServedCharset, IsTheOneTheProgramDecodesWith) {
    const std::string body =
        "<dvcd><quarantine><quarantined>\xC3\xA5.exe</quarantined></quarantine></dvcd>";
    const auto utf16 = [](const std::string& ascii, bool little) {
        std::string out;
        for (const char c : ascii)
            out += little ? std::string{c, '\0'} : std::string{'\0', c};
        return out;
    };
    const struct {
        std::string document;
        std::string charset; // empty: the program refuses it, and the service does not serve it
    } cases[] = {
        {body, "UTF-8"},
        {"<?xml version=\"1.0\"?>" + body, "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?>" + body, "UTF-8"},
        {"\xEF\xBB\xBF" + body, "UTF-8"},
        {"<?xml version=\"1.0\" "
         "encoding=\"ISO-8859-1\"?><d><quarantine><quarantined>\xE5</quarantined></quarantine></d>",
         "ISO-8859-1"},
        {"<?xml version='1.0' encoding='latin1'?><d/>", "ISO-8859-1"},
        {"<?xml version='1.0' "
         "encoding='windows-1252'?><d><quarantine><quarantined>\x80</quarantined></quarantine></d>",
         "windows-1252"},
        {"<?xml version='1.0' encoding='CP1252'?><d/>", "windows-1252"},
        {"<?xml version='1.0' encoding='US-ASCII'?><d/>", "US-ASCII"},
        {"\xFF\xFE" + utf16("<d><quarantine><quarantined>w</quarantined></quarantine></d>", true),
         "UTF-16"},
        {"\xFE\xFF" + utf16("<d><quarantine><quarantined>w</quarantined></quarantine></d>", false),
         "UTF-16"},
        {utf16("<d><quarantine><quarantined>w</quarantined></quarantine></d>", true), "UTF-16LE"},
        {utf16("<d><quarantine><quarantined>w</quarantined></quarantine></d>", false), "UTF-16BE"},
        // A declaration is read in its first 256 characters only, by the
        // program as by the service.
        {"<?xml version=\"1.0\"" + std::string(50000, ' ') + "encoding=\"ISO-8859-1\"?>" + body,
         "UTF-8"},
        // What the program refuses.
        {"<?xml version=\"1.0\" encoding=\"koi8-r\"?><d/>", ""},
        {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><d/>", ""},
        {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><d/>", ""},
        {"\xFF\xFE\0\0<\0\0\0"s, ""},
        {"<?xml version=\"1.0\" encoding=\"a\r\nSet-Cookie: x\"?><d/>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document.substr(0, 60));
        if (c.charset.empty()) {
            EXPECT_TRUE(updateRefusal(c.document)) << "the program takes it";
            continue;
        }
        EXPECT_EQ(documentCharset(c.document), c.charset);
        ASSERT_FALSE(updateRefusal(c.document)) << *updateRefusal(c.document);
        EXPECT_EQ(charsetOf(c.document), c.charset);
        // A client that decodes by the header reads what the program reads.
        const auto decoded = decodedAs(c.charset, c.document);
        ASSERT_TRUE(decoded);
        std::string asRead = *decoded;
        if (asRead.starts_with("\xEF\xBB\xBF"))
            asRead.erase(0, 3);
        EXPECT_EQ(asRead, documentText(c.document));
    }
}

} // namespace
} // namespace dv
