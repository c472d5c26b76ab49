#include "UpdateQuery.h"

#include "core/text/HexDigit.h"

namespace dv {

std::string percentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool escape = text[i] == '%' && i + 2 < text.size() &&
                            hexDigitValue(text[i + 1]) >= 0 && hexDigitValue(text[i + 2]) >= 0;
        if (escape) {
            out += static_cast<char>(hexDigitValue(text[i + 1]) * 16 + hexDigitValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

UpdateQuery UpdateQuery::parse(std::string_view target) {
    UpdateQuery query;
    // The absolute form a client sends to a proxy names the origin first.
    for (const std::string_view scheme : {"http://", "https://"})
        if (target.starts_with(scheme)) {
            const std::size_t path = target.find_first_of("/?", scheme.size());
            target = path == std::string_view::npos ? std::string_view() : target.substr(path);
        }
    const std::size_t mark = target.find('?');
    query.path = target.substr(0, mark);
    if (mark == std::string_view::npos)
        return query;
    std::string_view rest = target.substr(mark + 1);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
        if (!pair.starts_with("discid="))
            continue;
        std::string_view value = pair.substr(7);
        // A piece without '=' is the label's own '&' and what follows it.
        while (!rest.empty()) {
            const std::size_t next = rest.find('&');
            const std::string_view piece = rest.substr(0, next);
            if (piece.find('=') != std::string_view::npos)
                break;
            value = std::string_view(value.data(), value.size() + 1 + piece.size());
            rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
        }
        query.discId = percentDecoded(value);
        return query;
    }
    return query;
}

} // namespace dv
