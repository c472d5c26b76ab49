#include "core/browser/UrlDecoder.h"

#include "core/text/HexDigit.h"

namespace dv {

std::string urlDecode(std::string_view address) {
    std::string out;
    out.reserve(address.size());
    std::size_t i = 0;
    while (i < address.size()) {
        const char c = address[i];
        if (c == '+') {
            out += ' ';
            ++i;
            continue;
        }
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        // Up to two characters after the percent sign are read and consumed
        // whatever they are.
        // At the end of the text fewer are read, and one digit still counts.
        const std::string_view digits = address.substr(i + 1, 2);
        i += 1 + digits.size();
        int value = 0;
        bool hex = !digits.empty();
        for (const char d : digits) {
            const int v = hexDigitValue(d);
            hex = hex && v >= 0;
            value = value * 16 + (v >= 0 ? v : 0);
        }
        if (hex && value >= 1)
            out += static_cast<char>(value);
    }
    return out;
}

} // namespace dv
