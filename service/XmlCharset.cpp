#include "XmlCharset.h"

#include <cstddef>

namespace dv {

namespace {

constexpr std::size_t kLongestName = 64;

bool startsWith(std::string_view text, std::string_view bytes) { return text.substr(0, bytes.size()) == bytes; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isEncodingName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName || !isLetter(name[0]))
        return false;
    for (const char c : name)
        if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '.' && c != '_' && c != '-')
            return false;
    return true;
}

// An 8-bit document cannot be in a 16- or 32-bit encoding whatever it
// declares; libxml2 reads it as UTF-8 then.
bool isWideEncoding(std::string_view name) {
    std::string folded;
    for (const char c : name)
        if (c != '-' && c != '_')
            folded += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (const std::string_view wide : {"UTF16", "UTF32", "UCS2", "UCS4", "ISO10646UCS"})
        if (folded.starts_with(wide))
            return true;
    return false;
}

// The encoding pseudo-attribute of a declaration at the start of the text,
// scanned left to right; empty when there is none or it is malformed.
std::string_view declaredEncoding(std::string_view text) {
    if (!startsWith(text, "<?xml") || text.size() < 6 || !isBlank(text[5]))
        return {};
    std::size_t i = 5;
    const auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    while (true) {
        skipBlanks();
        if (i >= text.size() || text[i] == '?')
            return {};
        const std::size_t nameStart = i;
        while (i < text.size() && isLetter(text[i]))
            ++i;
        const std::string_view name = text.substr(nameStart, i - nameStart);
        skipBlanks();
        if (name.empty() || i >= text.size() || text[i] != '=')
            return {};
        ++i;
        skipBlanks();
        if (i >= text.size() || (text[i] != '"' && text[i] != '\''))
            return {};
        const char quote = text[i++];
        const std::size_t close = text.find(quote, i);
        if (close == std::string_view::npos)
            return {};
        const std::string_view value = text.substr(i, close - i);
        if (name == "encoding")
            return value;
        i = close + 1;
    }
}

} // namespace

std::string xmlCharset(std::string_view document) {
    // Byte-order marks, then the first characters "<?" in each wide form.
    if (startsWith(document, std::string_view("\x00\x00\xFE\xFF", 4)) ||
        startsWith(document, std::string_view("\xFF\xFE\x00\x00", 4)))
        return "UTF-32";
    if (startsWith(document, "\xFE\xFF") || startsWith(document, "\xFF\xFE"))
        return "UTF-16";
    if (startsWith(document, "\xEF\xBB\xBF"))
        return "UTF-8";
    if (startsWith(document, std::string_view("\x00\x00\x00\x3C", 4)))
        return "UTF-32BE";
    if (startsWith(document, std::string_view("\x3C\x00\x00\x00", 4)))
        return "UTF-32LE";
    if (startsWith(document, std::string_view("\x00\x3C\x00\x3F", 4)))
        return "UTF-16BE";
    if (startsWith(document, std::string_view("\x3C\x00\x3F\x00", 4)))
        return "UTF-16LE";
    const std::string_view declared = declaredEncoding(document);
    if (!isEncodingName(declared) || isWideEncoding(declared))
        return "UTF-8";
    return std::string(declared);
}

} // namespace dv
