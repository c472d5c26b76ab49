#pragma once

#include <QWebEnginePage>

#include <string>

namespace dv::qt {

// The main browser's page. Every navigation, frames included, passes the
// command-link filter first: command links are cancelled and, when they come
// from a page of the disc, handed on as commands to run.
class DiscWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    DiscWebPage(std::string discRoot, QObject* parent);

Q_SIGNALS:
    // Emitted after the navigation was cancelled; connect it queued so the
    // command runs once the engine's callback has returned.
    void commandLink(const QString& commandText);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    bool showsDiscPage() const;

    std::string discRoot_;
};

} // namespace dv::qt
