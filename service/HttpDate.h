#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace dv {

// Dates as HTTP writes them: "Sun, 06 Nov 1994 08:49:37 GMT".
std::string httpDate(std::time_t time);

// A date in any of the three forms HTTP/1.1 recipients accept (IMF-fixdate,
// RFC 850, asctime); nothing when it is none of them.
std::optional<std::time_t> parseHttpDate(std::string_view text);

} // namespace dv
