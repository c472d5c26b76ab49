#include "browser/DiscWebPage.h"

#include "app/QtText.h"
#include "browser/CommandLinkFilter.h"

#include <QDir>

namespace dv::qt {

DiscWebPage::DiscWebPage(std::string discRoot, QObject* parent)
    : QWebEnginePage(parent), discRoot_(std::move(discRoot)) {}

bool DiscWebPage::showsDiscPage() const {
    const QUrl current = url();
    if (!current.isLocalFile())
        return false;
    return isInsideDisc(toStdString(QDir::cleanPath(current.toLocalFile())), discRoot_);
}

bool DiscWebPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    const NavigationDecision decision =
        beforeNavigate(url.toEncoded().toStdString(), showsDiscPage());
    if (decision.command)
        Q_EMIT commandLink(toQString(*decision.command));
    return decision.navigate;
}

} // namespace dv::qt
