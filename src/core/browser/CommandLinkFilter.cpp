#include "core/browser/CommandLinkFilter.h"

#include "core/browser/CommandText.h"
#include "core/browser/UrlDecoder.h"
#include "core/text/AnsiText.h"

namespace dv {

NavigationDecision beforeNavigate(std::string_view address, bool fromDiscPage) {
    std::optional<std::string> command = commandTextOf(bytesToText(urlDecode(address)));
    if (!command)
        return {};
    if (!fromDiscPage)
        return {false, std::nullopt};
    return {false, std::move(command)};
}

std::string writtenLinkAddress(std::string_view href) {
    const auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!href.empty() && blankOrControl(href.front()))
        href.remove_prefix(1);
    while (!href.empty() && blankOrControl(href.back()))
        href.remove_suffix(1);
    std::string address;
    address.reserve(href.size());
    for (const char c : href) {
        if (c != '\t' && c != '\n' && c != '\r')
            address += c;
    }
    return address;
}

} // namespace dv
