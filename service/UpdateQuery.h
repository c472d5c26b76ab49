#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

// What the service reads from a request target
// "/dvcd/autoupdate.asp?discid=<id>".
//
// The id's %XX escapes are decoded (the program sends %20 for a blank and
// %2B for a plus); a literal '+' stays a plus, because older discs send the
// label as it is and a label may hold one; an escape that is not two hex
// digits stays as sent. The value ends at the next '&' that starts another
// name=value pair, so a label's own '&' from an older disc is kept.
struct UpdateQuery {
    std::string_view path;
    std::optional<std::string> discId; // absent when the query has no discid

    static UpdateQuery parse(std::string_view target);
};

// %XX escapes decoded; anything else, '+' included, kept as it is.
std::string percentDecoded(std::string_view text);

} // namespace dv
