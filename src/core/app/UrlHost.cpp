#include "core/app/UrlHost.h"

#include "core/text/AnsiText.h"

namespace dv {

std::string hostName(std::string_view url) {
    const std::size_t scheme = url.find("://");
    if (scheme == std::string_view::npos || scheme == 0)
        return {};
    std::string_view authority = url.substr(scheme + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (authority.starts_with('[')) // an IPv6 literal keeps its brackets
        return std::string(authority.substr(0, authority.find(']') + 1));
    return std::string(authority.substr(0, authority.find(':')));
}

bool isWebPageAddress(std::string_view url) {
    const std::string scheme = lowerAscii(url.substr(0, url.find("://")));
    return (scheme == "http" || scheme == "https") && url.find("://") != std::string_view::npos &&
           !hostName(url).empty() && url.find_first_of(" '\t\r\n") == std::string_view::npos;
}

bool hasUrlScheme(std::string_view target) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos || colon < 2 || !letter(target[0]))
        return false;
    for (const char c : target.substr(1, colon - 1))
        if (!letter(c) && !digit(c) && c != '+' && c != '.' && c != '-')
            return false;
    const std::string_view rest = target.substr(colon + 1);
    if (rest.starts_with("//"))
        return true;
    return !rest.empty() && rest[0] != '/' && rest[0] != '\\';
}

} // namespace dv
