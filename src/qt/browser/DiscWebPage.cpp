#include "browser/DiscWebPage.h"

#include "app/QtText.h"
#include "browser/CommandLinkFilter.h"
#include "browser/CommandScheme.h"

#include <QWebEngineNewWindowRequest>

namespace dv::qt {

DiscWebPage::DiscWebPage(std::string discRoot, QObject* parent)
    : QWebEnginePage(parent), discPages_(std::move(discRoot), paths_, PathCase::Sensitive) {
    connect(this, &QWebEnginePage::newWindowRequested, this, &DiscWebPage::newWindowRequested);
}

PageKind DiscWebPage::kindOf(const QUrl& url) const {
    std::optional<std::string> path;
    if (url.isLocalFile() && url.host().isEmpty())
        path = toStdString(url.toLocalFile());
    return pageKindOf(toStdString(url.scheme()), path, discPages_, paths_);
}

bool DiscWebPage::takeCommandLink(const QUrl& url) {
    const bool fromDiscPage = kindOf(this->url()) == PageKind::Disc;
    if (url.scheme().toLatin1() == kWrittenLinkScheme) {
        // A command link as its page wrote it, from the link watcher.
        const QByteArray written = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        const NavigationDecision decision =
            beforeNavigate(writtenLinkAddress(written.toStdString()), fromDiscPage);
        if (decision.command)
            Q_EMIT commandLink(toQString(*decision.command));
        return true;
    }
    const NavigationDecision decision = beforeNavigate(url.toEncoded().toStdString(), fromDiscPage);
    if (decision.command)
        Q_EMIT commandLink(toQString(*decision.command));
    return !decision.navigate;
}

bool DiscWebPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    if (takeCommandLink(url))
        return false;
    return mayShowInPanel(kindOf(url));
}

void DiscWebPage::newWindowRequested(QWebEngineNewWindowRequest& request) {
    const QUrl url = request.requestedUrl();
    // A command link runs whatever window it names.
    if (takeCommandLink(url))
        return;
    switch (newWindowRoute(kindOf(url), request.isUserInitiated())) {
    case NewWindowRoute::Panel:
        // Not from inside the engine's callback.
        QMetaObject::invokeMethod(this, [this, url] { load(url); }, Qt::QueuedConnection);
        break;
    case NewWindowRoute::DesktopBrowser:
        Q_EMIT webPageForNewWindow(url);
        break;
    case NewWindowRoute::Ignore:
        break;
    }
}

} // namespace dv::qt
