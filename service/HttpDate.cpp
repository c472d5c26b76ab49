#include "HttpDate.h"

#include <cstdio>

namespace dv {

namespace {

constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

std::string httpDate(std::time_t time) {
    std::tm t{};
    gmtime_r(&time, &t);
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[t.tm_wday % 7],
                  t.tm_mday, kMonths[t.tm_mon % 12], t.tm_year + 1900, t.tm_hour, t.tm_min,
                  t.tm_sec);
    return text;
}

std::optional<std::time_t> parseHttpDate(std::string_view text) {
    if (text.size() > 64)
        return std::nullopt;
    const std::string copy(text);
    // The service never sets a locale, so day and month names are English.
    for (const char* format :
         {"%a, %d %b %Y %H:%M:%S GMT", "%A, %d-%b-%y %H:%M:%S GMT", "%a %b %e %H:%M:%S %Y"}) {
        std::tm t{};
        const char* end = strptime(copy.c_str(), format, &t);
        if (end && *end == '\0')
            return timegm(&t);
    }
    return std::nullopt;
}

} // namespace dv
