#include "core/text/AnsiText.h"

#include "core/text/Utf8Append.h"

#include <array>
#include <cstdint>

namespace dv {

namespace {

// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks the undefined ones.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codePointOf(std::uint8_t b) {
    if (b < 0x80 || b >= 0xA0)
        return b;
    return kHigh[b - 0x80] ? kHigh[b - 0x80] : char32_t{0xFFFD};
}

std::size_t utf8Length(char32_t cp) {
    return cp < 0x80 ? 1 : cp < 0x800 ? 2 : 3;
}

std::uint8_t byteAt(std::string_view s, std::size_t i) {
    return static_cast<std::uint8_t>(s[i]);
}

} // namespace

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const std::uint8_t b = byteAt(s, i);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const std::uint8_t c = byteAt(s, i + k);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    // Exactly as long as it will be: lists of many megabytes pass here.
    std::size_t length = 0;
    for (const char c : bytes)
        length += utf8Length(codePointOf(static_cast<std::uint8_t>(c)));
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = byteAt(bytes, i);
        appendUtf8(out, codePointOf(b));
    }
    return out;
}

std::string bytesToText(std::string_view bytes) {
    return isValidUtf8(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return out;
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return out;
}

std::string upperAnsi(std::string_view utf8) {
    std::string out(utf8);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::uint8_t b = byteAt(out, i);
        if (b >= 'a' && b <= 'z') {
            out[i] = static_cast<char>(b - 32);
        } else if (b == 0xC3 && i + 1 < out.size()) {
            // U+00E0..U+00FE less U+00F7 (division sign) map 0x20 down;
            // U+00FF (ÿ) becomes U+0178 (Ÿ), two bytes as well.
            const std::uint8_t c = byteAt(out, i + 1);
            if (c >= 0xA0 && c <= 0xBE && c != 0xB7) {
                out[i + 1] = static_cast<char>(c - 0x20);
            } else if (c == 0xBF) {
                out[i] = static_cast<char>(0xC5);
                out[i + 1] = static_cast<char>(0xB8);
            }
            ++i;
        } else if (b == 0xC5 && i + 1 < out.size()) {
            // š, œ, ž to Š, Œ, Ž.
            const std::uint8_t c = byteAt(out, i + 1);
            if (c == 0xA1 || c == 0x93 || c == 0xBE)
                out[i + 1] = static_cast<char>(c - 1);
            ++i;
        }
    }
    return out;
}

} // namespace dv
