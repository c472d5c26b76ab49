#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

struct NavigationDecision {
    bool navigate = true;
    std::optional<std::string> command; // the command text to run, if any
};

// Looks at every navigation of the main browser. Command links are always
// cancelled; their command runs only when the page that follows the link is
// one of the disc's own, so that no outside page can start programs.
NavigationDecision beforeNavigate(std::string_view address, bool fromDiscPage);

// True when a local file path lies inside the disc root.
bool isInsideDisc(std::string_view path, std::string_view discRoot);

} // namespace dv
