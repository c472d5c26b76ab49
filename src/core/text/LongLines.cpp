#include "core/text/LongLines.h"

namespace dv {

namespace {

bool continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string breakLongLines(std::string_view utf8, std::size_t maxLength) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / (maxLength ? maxLength : 1));
    std::size_t inLine = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' || c == '\n') {
            inLine = 0;
        } else if (!continuation(c)) {
            if (maxLength > 0 && inLine == maxLength) {
                out += '\r';
                inLine = 0;
            }
            ++inLine;
        }
        out += c;
    }
    return out;
}

} // namespace dv
