#include "browser/PageRouting.h"

#include "app/DiscPath.h"
#include "text/AnsiText.h"

namespace dv {

PageKind pageKindOf(std::string_view scheme, std::string_view localPath, std::string_view discRoot) {
    const std::string s = lowerAscii(scheme);
    if (s == "http" || s == "https")
        return PageKind::Web;
    if (s == "file")
        return isInsideDisc(localPath, discRoot) ? PageKind::Disc : PageKind::Outside;
    if (s == "qrc")
        return PageKind::Outside;
    return PageKind::Other;
}

bool mayShowInPanel(PageKind kind) { return kind != PageKind::Outside; }

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
