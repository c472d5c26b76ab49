#include "core/browser/EngineVersion.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace dv {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::optional<double> parseLocaleNumber(std::string_view text, char decimalSeparator) {
    const std::string_view s = trimBlanks(text);
    // Check the shape first so that from_chars sees nothing it might read
    // differently from the locale rule (hex, inf, nan).
    std::string canonical;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        canonical += s[i++];
    std::size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++digits)
        canonical += s[i];
    if (i < s.size() && s[i] == decimalSeparator) {
        canonical += '.';
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++digits)
            canonical += s[i];
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        canonical += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            canonical += s[i++];
        std::size_t exponentDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i, ++exponentDigits)
            canonical += s[i];
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;

    const char* begin = canonical.data();
    if (*begin == '+')
        ++begin; // from_chars takes no plus sign
    double value = 0;
    const auto [end, error] = std::from_chars(begin, canonical.data() + canonical.size(), value);
    if (error != std::errc{} || end != canonical.data() + canonical.size())
        return std::nullopt;
    return value;
}

double engineVersionFromText(const std::optional<std::string>& text, char decimalSeparator) {
    if (!text)
        return -1;
    std::string withCommas = *text;
    std::replace(withCommas.begin(), withCommas.end(), '.', ',');
    double result = parseLocaleNumber(withCommas, decimalSeparator).value_or(-1);
    if (result == -1)
        result = parseLocaleNumber(*text, decimalSeparator).value_or(-1);
    return result;
}

std::string majorMinorOf(std::string_view dottedVersion) {
    const std::size_t firstDot = dottedVersion.find('.');
    if (firstDot == std::string_view::npos)
        return std::string(dottedVersion);
    const std::size_t secondDot = dottedVersion.find('.', firstDot + 1);
    return std::string(dottedVersion.substr(0, secondDot));
}

} // namespace dv
