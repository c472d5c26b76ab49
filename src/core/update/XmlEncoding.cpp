#include "update/XmlEncoding.h"

#include "text/AnsiText.h"
#include "update/XmlDocument.h"

#include <optional>
#include <string>

namespace dv {

namespace {

enum class Units { Bytes, Utf16LE, Utf16BE };

struct Start {
    std::optional<XmlEncoding> mark;
    Units units = Units::Bytes;
    std::size_t skip = 0; // length of the mark
};

Start startOf(std::string_view b) {
    const auto at = [&](std::size_t i) { return i < b.size() ? static_cast<unsigned char>(b[i]) : 0x100u; };
    if (at(0) == 0x00 && at(1) == 0x00)
        throw XmlError("the document is in UTF-32, which is not taken");
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return {XmlEncoding::Utf8, Units::Bytes, 3};
    if (at(0) == 0xFF && at(1) == 0xFE)
        return {XmlEncoding::Utf16LE, Units::Utf16LE, 2};
    if (at(0) == 0xFE && at(1) == 0xFF)
        return {XmlEncoding::Utf16BE, Units::Utf16BE, 2};
    // Without a mark, "<" as a 16-bit unit says UTF-16 all the same.
    if (at(0) == '<' && at(1) == 0x00)
        return {std::nullopt, Units::Utf16LE, 0};
    if (at(0) == 0x00 && at(1) == '<')
        return {std::nullopt, Units::Utf16BE, 0};
    return {};
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The declaration's text as ASCII, up to "?>"; empty when there is none.
std::string declarationOf(std::string_view b, const Start& start) {
    std::string ascii;
    const std::size_t step = start.units == Units::Bytes ? 1 : 2;
    for (std::size_t i = start.skip; i + step <= b.size() && ascii.size() < 256; i += step) {
        unsigned char c = static_cast<unsigned char>(b[i]);
        if (start.units != Units::Bytes) {
            const auto low = static_cast<unsigned char>(b[start.units == Units::Utf16LE ? i : i + 1]);
            const auto high = static_cast<unsigned char>(b[start.units == Units::Utf16LE ? i + 1 : i]);
            if (high != 0)
                break;
            c = low;
        }
        if (c == 0 || c >= 0x80)
            break;
        ascii += static_cast<char>(c);
        if (ascii.ends_with("?>"))
            break;
    }
    if (!ascii.starts_with("<?xml") || ascii.size() < 6 || !blank(ascii[5]) ||
        !ascii.ends_with("?>"))
        return {};
    return ascii;
}

// The value of the declaration's encoding, upper-cased; empty when absent.
std::string declaredName(const std::string& declaration) {
    const std::size_t key = declaration.find("encoding");
    if (key == std::string::npos)
        return {};
    std::size_t i = key + 8;
    while (i < declaration.size() && blank(declaration[i]))
        ++i;
    if (i >= declaration.size() || declaration[i] != '=')
        return {};
    ++i;
    while (i < declaration.size() && blank(declaration[i]))
        ++i;
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
        return {};
    const std::size_t end = declaration.find(declaration[i], i + 1);
    if (end == std::string::npos)
        return {};
    return upperAscii(declaration.substr(i + 1, end - i - 1));
}

std::optional<XmlEncoding> named(const std::string& name) {
    if (name == "UTF-8")
        return XmlEncoding::Utf8;
    if (name == "UTF-16")
        return XmlEncoding::Utf16LE; // the order of bytes comes from the text
    if (name == "ISO-8859-1")
        return XmlEncoding::Latin1;
    if (name == "WINDOWS-1252")
        return XmlEncoding::Windows1252;
    if (name == "US-ASCII")
        return XmlEncoding::Ascii;
    return std::nullopt;
}

bool sixteenBit(XmlEncoding e) { return e == XmlEncoding::Utf16LE || e == XmlEncoding::Utf16BE; }

} // namespace

XmlEncoding xmlDocumentEncoding(std::string_view bytes) {
    const Start start = startOf(bytes);
    const std::string name = declaredName(declarationOf(bytes, start));
    std::optional<XmlEncoding> declared;
    if (!name.empty()) {
        declared = named(name);
        if (!declared)
            throw XmlError("the document's encoding " + name + " is not taken");
    }
    const bool units16 = start.units != Units::Bytes;
    const XmlEncoding encoding = start.mark ? *start.mark
                           : units16  ? (start.units == Units::Utf16LE ? XmlEncoding::Utf16LE : XmlEncoding::Utf16BE)
                           : declared.value_or(XmlEncoding::Utf8);
    if (declared) {
        if (sixteenBit(*declared) != units16)
            throw XmlError("the document's declaration does not fit its bytes");
        if (start.mark && !sixteenBit(*declared) && *declared != *start.mark)
            throw XmlError("the document's byte-order mark and declaration disagree");
    }
    if (encoding == XmlEncoding::Ascii) {
        for (const char c : bytes)
            if (static_cast<unsigned char>(c) >= 0x80)
                throw XmlError("the document is not US-ASCII");
    }
    if (encoding == XmlEncoding::Windows1252) {
        for (const char c : bytes)
            if (std::string_view("\x81\x8D\x8F\x90\x9D").find(c) != std::string_view::npos)
                throw XmlError("the document holds a byte Windows-1252 leaves undefined");
    }
    return encoding;
}

} // namespace dv
