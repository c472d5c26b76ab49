#include "XmlEncoding.h"

#include "update/XmlDocument.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>

#include <memory>
#include <optional>

namespace dv {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The encoding named in the declaration, if the document starts with one
// that names it.
std::optional<std::string> declaredEncoding(std::string_view bytes) {
    if (!startsWith(bytes, "<?xml") || bytes.size() < 6 || !blank(bytes[5]))
        return std::nullopt;
    const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos)
        return std::nullopt;
    at += 8;
    while (at < declaration.size() && blank(declaration[at]))
        ++at;
    if (at >= declaration.size() || declaration[at] != '=')
        return std::nullopt;
    ++at;
    while (at < declaration.size() && blank(declaration[at]))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return std::nullopt;
    const std::size_t end = declaration.find(declaration[at], at + 1);
    if (end == std::string_view::npos)
        return std::nullopt;
    return std::string(declaration.substr(at + 1, end - at - 1));
}

bool isUtf8Name(std::string name) {
    for (char& c : name)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return name == "UTF-8" || name == "UTF8";
}

struct BufferFree {
    void operator()(xmlBuffer* b) const { xmlBufferFree(b); }
};
using Buffer = std::unique_ptr<xmlBuffer, BufferFree>;

std::string transcode(xmlCharEncodingHandler* handler, std::string_view bytes) {
    if (!handler)
        throw XmlError("the document's encoding is not supported");
    const Buffer in(xmlBufferCreateSize(bytes.size() + 1));
    const Buffer out(xmlBufferCreateSize(bytes.size() * 2 + 16));
    if (!in || !out || xmlBufferAdd(in.get(), reinterpret_cast<const xmlChar*>(bytes.data()),
                                    static_cast<int>(bytes.size())) != 0) {
        xmlCharEncCloseFunc(handler);
        throw XmlError("out of memory");
    }
    int result = 0;
    // Each call converts what fits; stop when nothing is left or nothing moves.
    while (xmlBufferLength(in.get()) > 0) {
        const int before = xmlBufferLength(in.get());
        result = xmlCharEncInFunc(handler, out.get(), in.get());
        if (result < 0 || xmlBufferLength(in.get()) == before)
            break;
    }
    const bool complete = result >= 0 && xmlBufferLength(in.get()) == 0;
    xmlCharEncCloseFunc(handler);
    if (!complete)
        throw XmlError("the document's bytes do not fit its encoding");
    return {reinterpret_cast<const char*>(xmlBufferContent(out.get())),
            static_cast<std::size_t>(xmlBufferLength(out.get()))};
}

} // namespace

std::string XmlEncoding::toUtf8(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    const std::string_view ucs4[] = {std::string_view("\x00\x00\xFE\xFF", 4), std::string_view("\xFF\xFE\x00\x00", 4),
                                     std::string_view("\x00\x00\x00\x3C", 4), std::string_view("\x3C\x00\x00\x00", 4),
                                     std::string_view("\x00\x00\x3C\x00", 4), std::string_view("\x00\x3C\x00\x00", 4),
                                     "\x4C\x6F\xA7\x94"};
    for (const std::string_view mark : ucs4)
        if (startsWith(bytes, mark))
            throw XmlError("the document's encoding is not supported");
    if (startsWith(bytes, "\xFF\xFE"))
        return transcode(xmlGetCharEncodingHandler(XML_CHAR_ENCODING_UTF16LE), bytes.substr(2));
    if (startsWith(bytes, "\xFE\xFF"))
        return transcode(xmlGetCharEncodingHandler(XML_CHAR_ENCODING_UTF16BE), bytes.substr(2));
    if (startsWith(bytes, std::string_view("\x3C\x00\x3F\x00", 4)))
        return transcode(xmlGetCharEncodingHandler(XML_CHAR_ENCODING_UTF16LE), bytes);
    if (startsWith(bytes, std::string_view("\x00\x3C\x00\x3F", 4)))
        return transcode(xmlGetCharEncodingHandler(XML_CHAR_ENCODING_UTF16BE), bytes);

    const std::optional<std::string> declared = declaredEncoding(bytes);
    if (!declared || isUtf8Name(*declared))
        return std::string(bytes);
    std::string text = transcode(xmlFindCharEncodingHandler(declared->c_str()), bytes);
    // A declaration can only be read in an encoding that keeps ASCII as it
    // is; one naming UTF-16 over single bytes does not fit the document.
    if (!startsWith(text, "<?xml"))
        throw XmlError("the document's declared encoding does not fit its bytes");
    return text;
}

} // namespace dv
