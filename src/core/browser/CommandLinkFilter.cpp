#include "browser/CommandLinkFilter.h"

#include "browser/CommandText.h"
#include "browser/UrlDecoder.h"
#include "text/AnsiText.h"

namespace dv {

NavigationDecision beforeNavigate(std::string_view address, bool fromDiscPage) {
    std::optional<std::string> command = commandTextOf(bytesToText(urlDecode(address)));
    if (!command)
        return {};
    if (!fromDiscPage)
        return {false, std::nullopt};
    return {false, std::move(command)};
}

bool isInsideDisc(std::string_view path, std::string_view discRoot) {
    return !discRoot.empty() && path.starts_with(discRoot);
}

} // namespace dv
