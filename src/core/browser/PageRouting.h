#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

class DiscPageCheck;
class RealPaths;

// What an address a page of the panel asks for is.
enum class PageKind {
    Disc,    // a file that really lies inside the disc
    Web,     // http or https
    Outside, // any other local document: a file elsewhere, the program's own resources
    Other,   // about:blank, data:, a file that is not there: left to the engine
};

// scheme: the address's scheme in any case; localPath: for a file address,
// its path on this system, nothing when the address names a host.
PageKind pageKindOf(std::string_view scheme, const std::optional<std::string>& localPath,
                    const DiscPageCheck& discPages, const RealPaths& paths);

// Local documents from outside the disc never enter the panel, in no frame.
// Local pages reach into one another (the engine gives file pages one
// origin), so an outside page beside a disc page could make the disc page
// run its commands: only pages of the disc may lie in the panel for their
// command links to be safe.
bool mayShowInPanel(PageKind kind);

enum class NewWindowRoute {
    Ignore,         // as a browser's pop-up blocker would
    Panel,          // disc pages stay in the panel
    DesktopBrowser, // a new window of the desktop's browser
};

// Where a page's request for a new window (target="_blank", window.open)
// goes: a web page to the desktop's browser, a disc page into the panel;
// only when the reader asked for it with a click or key.
NewWindowRoute newWindowRoute(PageKind kind, bool userInitiated);

} // namespace dv
