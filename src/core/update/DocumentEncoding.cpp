#include "core/update/DocumentEncoding.h"

#include "core/text/AnsiText.h"
#include "core/text/Utf8Append.h"
#include "core/update/XmlDocument.h"

#include <optional>
#include <string>

namespace dv {

namespace {

enum class Units { Bytes, Utf16LE, Utf16BE };

struct Start {
    std::optional<DocumentEncoding> mark;
    Units units = Units::Bytes;
    std::size_t skip = 0; // length of the mark
};

Start startOf(std::string_view b) {
    const auto at = [&](std::size_t i) {
        return i < b.size() ? static_cast<unsigned char>(b[i]) : 0x100u;
    };
    if (at(0) == 0x00 && at(1) == 0x00)
        throw XmlError("the document is in UTF-32, which is not taken");
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return {DocumentEncoding::Utf8, Units::Bytes, 3};
    if (at(0) == 0xFF && at(1) == 0xFE)
        return {DocumentEncoding::Utf16LE, Units::Utf16LE, 2};
    if (at(0) == 0xFE && at(1) == 0xFF)
        return {DocumentEncoding::Utf16BE, Units::Utf16BE, 2};
    // Without a mark, "<" as a 16-bit unit says UTF-16 all the same.
    if (at(0) == '<' && at(1) == 0x00)
        return {std::nullopt, Units::Utf16LE, 0};
    if (at(0) == 0x00 && at(1) == '<')
        return {std::nullopt, Units::Utf16BE, 0};
    return {};
}

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The declaration's text as ASCII, up to "?>"; empty when there is none.
std::string declarationOf(std::string_view b, const Start& start) {
    std::string ascii;
    const std::size_t step = start.units == Units::Bytes ? 1 : 2;
    for (std::size_t i = start.skip; i + step <= b.size() && ascii.size() < 256; i += step) {
        unsigned char c = static_cast<unsigned char>(b[i]);
        if (start.units != Units::Bytes) {
            const auto low =
                static_cast<unsigned char>(b[start.units == Units::Utf16LE ? i : i + 1]);
            const auto high =
                static_cast<unsigned char>(b[start.units == Units::Utf16LE ? i + 1 : i]);
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

std::optional<DocumentEncoding> named(const std::string& name) {
    if (name == "UTF-8" || name == "UTF8")
        return DocumentEncoding::Utf8;
    if (name == "UTF-16")
        return DocumentEncoding::Utf16LE; // the order of bytes comes from the text
    if (name == "ISO-8859-1" || name == "LATIN1")
        return DocumentEncoding::Latin1;
    if (name == "WINDOWS-1252" || name == "CP1252")
        return DocumentEncoding::Windows1252;
    if (name == "US-ASCII")
        return DocumentEncoding::Ascii;
    return std::nullopt;
}

bool sixteenBit(DocumentEncoding e) {
    return e == DocumentEncoding::Utf16LE || e == DocumentEncoding::Utf16BE;
}

} // namespace

DocumentEncoding documentEncoding(std::string_view bytes) {
    const Start start = startOf(bytes);
    const std::string name = declaredName(declarationOf(bytes, start));
    std::optional<DocumentEncoding> declared;
    if (!name.empty()) {
        declared = named(name);
        if (!declared)
            throw XmlError("the document's encoding " + name + " is not taken");
    }
    const bool units16 = start.units != Units::Bytes;
    const DocumentEncoding encoding =
        start.mark ? *start.mark
        : units16  ? (start.units == Units::Utf16LE ? DocumentEncoding::Utf16LE
                                                    : DocumentEncoding::Utf16BE)
                   : declared.value_or(DocumentEncoding::Utf8);
    if (declared) {
        if (sixteenBit(*declared) != units16)
            throw XmlError("the document's declaration does not fit its bytes");
        if (start.mark && !sixteenBit(*declared) && *declared != *start.mark)
            throw XmlError("the document's byte-order mark and declaration disagree");
    }
    if (encoding == DocumentEncoding::Ascii) {
        for (const char c : bytes)
            if (static_cast<unsigned char>(c) >= 0x80)
                throw XmlError("the document is not US-ASCII");
    }
    if (encoding == DocumentEncoding::Windows1252) {
        for (const char c : bytes)
            if (std::string_view("\x81\x8D\x8F\x90\x9D").find(c) != std::string_view::npos)
                throw XmlError("the document holds a byte Windows-1252 leaves undefined");
    }
    return encoding;
}

std::string documentCharset(std::string_view bytes) {
    DocumentEncoding encoding{};
    try {
        encoding = documentEncoding(bytes);
    } catch (const XmlError&) {
        return {};
    }
    const bool marked = startOf(bytes).mark.has_value();
    switch (encoding) {
    case DocumentEncoding::Utf8:
        return "UTF-8";
    case DocumentEncoding::Utf16LE:
        return marked ? "UTF-16" : "UTF-16LE";
    case DocumentEncoding::Utf16BE:
        return marked ? "UTF-16" : "UTF-16BE";
    case DocumentEncoding::Latin1:
        return "ISO-8859-1";
    case DocumentEncoding::Windows1252:
        return "windows-1252";
    case DocumentEncoding::Ascii:
        return "US-ASCII";
    }
    return {};
}

namespace {

std::string fromUtf16(std::string_view b, bool bigEndian) {
    if (b.size() % 2 != 0)
        throw XmlError("the document is not whole UTF-16");
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(b[i]);
        const auto second = static_cast<unsigned char>(b[i + 1]);
        return bigEndian ? (char32_t{first} << 8 | second) : (char32_t{second} << 8 | first);
    };
    std::string out;
    out.reserve(b.size());
    for (std::size_t i = 0; i < b.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xDC00 && c < 0xE000)
            throw XmlError("the document is not well-formed UTF-16");
        if (c >= 0xD800 && c < 0xDC00) {
            const char32_t low = i + 3 < b.size() ? unit(i + 2) : 0;
            if (low < 0xDC00 || low >= 0xE000)
                throw XmlError("the document is not well-formed UTF-16");
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string decoded(std::string_view bytes) {
    const DocumentEncoding encoding = documentEncoding(bytes);
    const auto mark = [&](std::string_view m) {
        return bytes.substr(0, m.size()) == m ? m.size() : 0;
    };
    switch (encoding) {
    case DocumentEncoding::Utf8: {
        const std::string_view text = bytes.substr(mark("\xEF\xBB\xBF"));
        if (!isValidUtf8(text))
            throw XmlError("the document is not well-formed UTF-8");
        return std::string(text);
    }
    case DocumentEncoding::Utf16LE:
        return fromUtf16(bytes.substr(mark("\xFF\xFE")), false);
    case DocumentEncoding::Utf16BE:
        return fromUtf16(bytes.substr(mark("\xFE\xFF")), true);
    case DocumentEncoding::Latin1: {
        std::string out;
        out.reserve(bytes.size());
        for (const char c : bytes)
            appendUtf8(out, static_cast<unsigned char>(c));
        return out;
    }
    case DocumentEncoding::Windows1252:
        return windows1252ToUtf8(bytes);
    case DocumentEncoding::Ascii:
        return std::string(bytes);
    }
    return std::string(bytes);
}

} // namespace

std::string documentText(std::string_view bytes) {
    std::string text = decoded(bytes);
    // Never a character of XML; a parser that reads the text as a C string
    // would stop there and see another document.
    if (text.find('\0') != std::string::npos)
        throw XmlError("the document holds a NUL character");
    return text;
}

} // namespace dv
