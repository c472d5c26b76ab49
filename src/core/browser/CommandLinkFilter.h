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

// The address of a link as its page wrote it, read the way a browser reads
// an href: blanks and control characters around it dropped, tabs and line
// breaks inside it removed. Percent signs stay as written, for the decoder.
std::string writtenLinkAddress(std::string_view href);

} // namespace dv
