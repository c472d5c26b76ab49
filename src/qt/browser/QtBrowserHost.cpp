#include "qt/browser/QtBrowserHost.h"

#include "core/app/DiscPath.h"
#include "core/browser/DownloadIndicator.h"
#include "core/browser/EngineVersion.h"
#include "core/browser/StatusTextRule.h"
#include "core/shell/StatusLine.h"
#include "core/text/LongLines.h"
#include "qt/app/QtText.h"
#include "qt/app/StartupTrace.h"
#include "qt/browser/CommandLinkWatcher.h"
#include "qt/browser/CommandScheme.h"
#include "qt/browser/DiscWebPage.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLocale>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace dv::qt {

QtBrowserHost::QtBrowserHost(QWidget& panel, std::string discRoot, StatusLine& status,
                             DownloadIndicator& indicator, VersionSource engineVersion)
    : panel_(panel), discRoot_(std::move(discRoot)), status_(status), indicator_(indicator),
      engineVersion_(engineVersion ? std::move(engineVersion) : &installedEngineVersion) {}

QtBrowserHost::~QtBrowserHost() = default;

std::optional<std::string> QtBrowserHost::installedEngineVersion() {
    const char* version = qWebEngineChromiumVersion();
    if (!version)
        return std::nullopt;
    return majorMinorOf(version);
}

bool QtBrowserHost::createControl() {
    auto* view = new QWebEngineView(&panel_);
    view->setObjectName(QStringLiteral("IE"));
    auto* page = new DiscWebPage(discRoot_, view);
    refuseCommandLoads(*page->profile());
    watchCommandLinks(*page);
    // Disc pages use the web as pages of a web site do: pictures, frames, and
    // scripts that move to a web page. Only disc pages are local in the panel.
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    view->setPage(page);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    connect(page, &DiscWebPage::commandLink, this, &QtBrowserHost::commandLink);
    connect(page, &DiscWebPage::webPageForNewWindow, this, &QtBrowserHost::webPageForNewWindow,
            Qt::QueuedConnection);
    auto* layout = new QVBoxLayout(&panel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);

    connect(view, &QWebEngineView::loadStarted, this, [this] { indicator_.downloadBegin(); });
    connect(view, &QWebEngineView::loadProgress, this,
            [this](int progress) { indicator_.progressChange(progress, 100); });
    connect(view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        indicator_.downloadComplete();
        StartupTrace::mark("loaded");
        Q_EMIT pageLoaded(ok);
    });
    connect(view->page(), &QWebEnginePage::linkHovered, this, &QtBrowserHost::statusTextChange);
    // Keys the page leaves unused would travel on to the main window; they
    // belong to the page, so they stop at the view.
    view->installEventFilter(this);
    view->show();
    view_ = view;
    return true;
}

QString QtBrowserHost::plainToolTip(const QString& pageText) {
    // The engine hands a title attribute over as it stands, and a tool tip
    // takes what looks like markup as rich text: a picture named in it would
    // be loaded. Shown escaped, it is the literal text.
    const QString shown =
        toDisplayLines(breakLongLines(toStdString(pageText.left(kMaxToolTipLength))));
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + shown.toHtmlEscaped() +
           QStringLiteral("</p>");
}

bool QtBrowserHost::eventFilter(QObject* watched, QEvent* event) {
    // The type first: the view's own destruction passes through here too,
    // when it may no longer be looked at as a view.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && watched == view_)
        return true;
    if (event->type() == QEvent::ToolTip && watched == view_) {
        const QString text = view_->toolTip();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), plainToolTip(text),
                               view_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void QtBrowserHost::destroyControl() {
    if (view_)
        view_->removeEventFilter(this);
    delete panel_.layout();
    delete view_.data();
}

std::optional<std::string> QtBrowserHost::engineVersionText() const {
    return engineVersion_();
}

char QtBrowserHost::decimalSeparator() const {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 128
               ? static_cast<char>(point.at(0).unicode())
               : '.';
}

void QtBrowserHost::navigate(const std::string& address) {
    if (!view_)
        return;
    const QString text = toQString(address);
    // Disc pages are found without regard to letter case, as every other
    // file of the disc is.
    const QUrl url = text.startsWith(QLatin1Char('/'))
                         ? QUrl::fromLocalFile(toQString(resolveDiscPath(address)))
                         : QUrl(text, QUrl::TolerantMode);
    view_->load(url);
}

void QtBrowserHost::statusTextChange(const QString& text) {
    const std::string utf8 = toStdString(text);
    if (statusTextReachesStatusLine(utf8))
        status_.setStatusText(utf8);
}

} // namespace dv::qt
