#pragma once

#include "core/browser/CanonicalPaths.h"
#include "core/browser/DiscPageCheck.h"
#include "core/browser/PageDialogs.h"
#include "core/browser/PageRouting.h"

#include <QUrl>
#include <QWebEnginePage>

#include <string>

class QWebEngineNewWindowRequest;

namespace dv::qt {

// The main browser's page. Every navigation, frames included, passes the
// command-link filter first: command links are cancelled and, when they come
// from a page of the disc, handed on as commands to run. Local documents
// from outside the disc never load, in no frame. Requests for new windows
// send web pages to the desktop's browser and keep disc pages here. The
// boxes a page's script asks for follow PageDialogs and block only the page.
class DiscWebPage : public QWebEnginePage {
    Q_OBJECT
  public:
    DiscWebPage(std::string discRoot, QObject* parent);

  Q_SIGNALS:
    // Emitted after the navigation was cancelled, inside the engine's
    // callback: whoever runs the command runs it later. byReader: started by
    // the reader's own click or key, not by the page's script.
    void commandLink(const QString& commandText, bool byReader);
    // A web page the reader asked to open in a new window; connect it queued.
    void webPageForNewWindow(const QUrl& address);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;

  private:
    void newWindowRequested(QWebEngineNewWindowRequest& request);
    // True when the address is a command link, which never loads.
    bool takeCommandLink(const QUrl& url, bool byReader);
    PageKind kindOf(const QUrl& url) const;
    // The reader's answer; nothing when the page's boxes were stopped.
    std::optional<QString> askReader(PageDialogKind kind, const QString& text,
                                     const QString& defaultValue);

    CanonicalPaths paths_;
    DiscPageCheck discPages_;
    PageDialogs dialogs_;
};

} // namespace dv::qt
