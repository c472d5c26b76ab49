#pragma once

#include "core/browser/BrowserHost.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

#include <QWebEngineView>
class QWidget;

namespace dv {
class DownloadIndicator;
class StatusLine;
} // namespace dv

namespace dv::qt {

// The main browser: a Qt WebEngine view filling its host panel. Its load
// events drive the download indicator and hovered links reach the status line
// through the core's rules.
class QtBrowserHost : public QObject, public BrowserHost {
    Q_OBJECT
  public:
    using VersionSource = std::function<std::optional<std::string>()>;

    QtBrowserHost(QWidget& panel, std::string discRoot, StatusLine& status,
                  DownloadIndicator& indicator, VersionSource engineVersion);
    ~QtBrowserHost() override;

    bool createControl() override;
    void destroyControl() override;
    bool hasControl() const override { return !view_.isNull(); }
    std::optional<std::string> engineVersionText() const override;
    char decimalSeparator() const override;
    void navigate(const std::string& address) override;

    QWebEngineView* view() const { return view_; }

    // The engine's own version, cut to major and minor ("108.0").
    static std::optional<std::string> installedEngineVersion();
    // A page's tool tip (its title attribute) as the tip shows it: the
    // literal text, never markup; cut at kMaxToolTipLength characters.
    static QString plainToolTip(const QString& pageText);
    static constexpr int kMaxToolTipLength = 4000;

  Q_SIGNALS:
    void pageLoaded(bool ok);
    // A command link of a disc page, to be run after its navigation was
    // cancelled: emitted inside the engine's callback, so that a burst of
    // them is judged together (CommandQueue::offer). byReader: the reader's
    // own click or key started it, not the page's script.
    void commandLink(const QString& commandText, bool byReader);
    // A web page the reader asked to open in a new window.
    void webPageForNewWindow(const QUrl& address);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void statusTextChange(const QString& text);

    QWidget& panel_;
    std::string discRoot_;
    StatusLine& status_;
    DownloadIndicator& indicator_;
    VersionSource engineVersion_;
    QPointer<QWebEngineView> view_;
};

} // namespace dv::qt
