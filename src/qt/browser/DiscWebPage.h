#pragma once

#include "browser/CanonicalPaths.h"
#include "browser/DiscPageCheck.h"
#include "browser/PageRouting.h"

#include <QUrl>
#include <QWebEnginePage>

#include <string>

class QWebEngineNewWindowRequest;

namespace dv::qt {

// The main browser's page. Every navigation, frames included, passes the
// command-link filter first: command links are cancelled and, when they come
// from a page of the disc, handed on as commands to run. Local documents
// from outside the disc never load, in no frame. Requests for new windows
// send web pages to the desktop's browser and keep disc pages here.
class DiscWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    DiscWebPage(std::string discRoot, QObject* parent);

Q_SIGNALS:
    // Emitted after the navigation was cancelled; connect it queued so the
    // command runs once the engine's callback has returned.
    void commandLink(const QString& commandText);
    // A web page the reader asked to open in a new window; connect it queued.
    void webPageForNewWindow(const QUrl& address);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    void newWindowRequested(QWebEngineNewWindowRequest& request);
    // True when the address is a command link, which never loads.
    bool takeCommandLink(const QUrl& url);
    PageKind kindOf(const QUrl& url) const;

    CanonicalPaths paths_;
    DiscPageCheck discPages_;
};

} // namespace dv::qt
