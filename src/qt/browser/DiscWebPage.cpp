#include "qt/browser/DiscWebPage.h"

#include "core/browser/CommandLinkFilter.h"
#include "qt/app/QtText.h"
#include "qt/browser/CommandScheme.h"
#include "qt/browser/PageScriptDialog.h"

#include <QPointer>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineView>

namespace dv::qt {

DiscWebPage::DiscWebPage(std::string discRoot, QObject* parent)
    : QWebEnginePage(parent), discPages_(std::move(discRoot), paths_, PathCase::Sensitive) {
    connect(this, &QWebEnginePage::newWindowRequested, this, &DiscWebPage::newWindowRequested);
    connect(this, &QWebEnginePage::loadStarted, this, [this] { dialogs_.pageChanged(); });
}

std::optional<QString> DiscWebPage::askReader(PageDialogKind kind, const QString& text,
                                              const QString& defaultValue) {
    const std::optional<PageDialogModel> model = dialogs_.open(
        kind, toStdString(text), toStdString(defaultValue), PageDialogs::Clock::now());
    if (!model)
        return std::nullopt;
    // Only the page waits for the answer, as in a browser's tab.
    const QPointer<QWebEngineView> view = QWebEngineView::forPage(this);
    if (view)
        view->setEnabled(false);
    PageScriptDialog box(*model, view ? view->window() : nullptr);
    const PageScriptDialog::Answer answer = box.ask();
    if (view)
        view->setEnabled(true);
    dialogs_.answered(answer.stopFurther, PageDialogs::Clock::now());
    if (!answer.accepted)
        return std::nullopt;
    return answer.input;
}

void DiscWebPage::javaScriptAlert(const QUrl&, const QString& msg) {
    askReader(PageDialogKind::Alert, msg, {});
}

bool DiscWebPage::javaScriptConfirm(const QUrl&, const QString& msg) {
    return askReader(PageDialogKind::Confirm, msg, {}).has_value();
}

bool DiscWebPage::javaScriptPrompt(const QUrl&, const QString& msg, const QString& defaultValue,
                                   QString* result) {
    const std::optional<QString> answer = askReader(PageDialogKind::Prompt, msg, defaultValue);
    if (answer && result)
        *result = *answer;
    return answer.has_value();
}

PageKind DiscWebPage::kindOf(const QUrl& url) const {
    std::optional<std::string> path;
    if (url.isLocalFile() && url.host().isEmpty())
        path = toStdString(url.toLocalFile());
    return pageKindOf(toStdString(url.scheme()), path, discPages_, paths_);
}

bool DiscWebPage::takeCommandLink(const QUrl& url, bool byReader) {
    const bool fromDiscPage = kindOf(this->url()) == PageKind::Disc;
    if (url.scheme().toLatin1() == kWrittenLinkScheme) {
        // A command link as its page wrote it, from the link watcher.
        const QByteArray written =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        const NavigationDecision decision =
            beforeNavigate(writtenLinkAddress(written.toStdString()), fromDiscPage);
        if (decision.command)
            Q_EMIT commandLink(toQString(*decision.command), byReader);
        return true;
    }
    const NavigationDecision decision = beforeNavigate(url.toEncoded().toStdString(), fromDiscPage);
    if (decision.command)
        Q_EMIT commandLink(toQString(*decision.command), byReader);
    return !decision.navigate;
}

bool DiscWebPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    // The link watcher hands the reader's own clicks in as new windows:
    // whatever arrives here was moved by a script, or by no click at all.
    if (takeCommandLink(url, false))
        return false;
    return mayShowInPanel(kindOf(url));
}

void DiscWebPage::newWindowRequested(QWebEngineNewWindowRequest& request) {
    const QUrl url = request.requestedUrl();
    // A command link runs whatever window it names. Only the reader's own
    // click or key lets a page open a window as the reader's.
    if (takeCommandLink(url, request.isUserInitiated()))
        return;
    switch (newWindowRoute(kindOf(url), request.isUserInitiated())) {
    case NewWindowRoute::Panel:
        // Not from inside the engine's callback.
        QMetaObject::invokeMethod(
            this, [this, url] { load(url); }, Qt::QueuedConnection);
        break;
    case NewWindowRoute::DesktopBrowser:
        Q_EMIT webPageForNewWindow(url);
        break;
    case NewWindowRoute::Ignore:
        break;
    }
}

} // namespace dv::qt
