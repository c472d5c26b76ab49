#include "core/browser/PageRouting.h"

#include "core/browser/DiscPageCheck.h"
#include "core/text/AnsiText.h"

namespace dv {

PageKind pageKindOf(std::string_view scheme, const std::optional<std::string>& localPath,
                    const DiscPageCheck& discPages, const RealPaths& paths) {
    const std::string s = lowerAscii(scheme);
    if (s == "http" || s == "https")
        return PageKind::Web;
    if (s == "file") {
        if (!localPath || localPath->empty())
            return PageKind::Outside; // a file on another host
        // Nothing there: the engine loads nothing and says so.
        if (!paths.realPath(*localPath))
            return PageKind::Other;
        return discPages.isDiscPage(localPath) ? PageKind::Disc : PageKind::Outside;
    }
    if (s == "qrc")
        return PageKind::Outside;
    return PageKind::Other;
}

bool mayShowInPanel(PageKind kind) {
    return kind != PageKind::Outside;
}

NewWindowRoute newWindowRoute(PageKind kind, bool userInitiated) {
    if (!userInitiated)
        return NewWindowRoute::Ignore;
    switch (kind) {
    case PageKind::Disc:
        return NewWindowRoute::Panel;
    case PageKind::Web:
        return NewWindowRoute::DesktopBrowser;
    case PageKind::Outside:
    case PageKind::Other:
        break;
    }
    return NewWindowRoute::Ignore;
}

} // namespace dv
