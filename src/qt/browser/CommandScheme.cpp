#include "browser/CommandScheme.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace dv::qt {

namespace {

const QByteArray kScheme = QByteArrayLiteral("command");

class RefusingHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
    }
};

} // namespace

void registerCommandScheme() {
    if (QWebEngineUrlScheme::schemeByName(kScheme).name() == kScheme)
        return;
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Only local pages may even link to it; the page filter decides the rest.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void refuseCommandLoads(QWebEngineProfile& profile) {
    if (!profile.urlSchemeHandler(kScheme))
        profile.installUrlSchemeHandler(kScheme, new RefusingHandler(&profile));
}

} // namespace dv::qt
