#include "core/update/QueryValue.h"

#include "core/text/AnsiText.h"

namespace dv {

namespace {

bool keptAscii(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '-':
    case '_':
    case '~':
    case '!':
    case '$':
    case '\'':
    case '(':
    case ')':
    case '*':
    case ',':
    case ':':
    case '@':
        return true;
    default:
        return false;
    }
}

// The length of the well-formed UTF-8 sequence that starts at `at`, or 0.
std::size_t utf8SequenceAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    return isValidUtf8(text.substr(at, length)) ? length : 0;
}

} // namespace

std::string encodeQueryValue(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (keptAscii(c)) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (c >= 0x80) {
            if (const std::size_t length = utf8SequenceAt(text, i)) {
                out.append(text.substr(i, length));
                i += length;
                continue;
            }
        }
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 0x0F];
        ++i;
    }
    return out;
}

} // namespace dv
