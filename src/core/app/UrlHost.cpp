#include "app/UrlHost.h"

#include "text/AnsiText.h"

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

} // namespace dv
