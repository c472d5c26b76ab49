#include "qt/browser/CommandScheme.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace dv::qt {

namespace {

class RefusingHandler : public QWebEngineUrlSchemeHandler {
  public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
    }
};

} // namespace

void registerCommandScheme() {
    for (const QByteArray& name : {kCommandScheme, kWrittenLinkScheme}) {
        if (QWebEngineUrlScheme::schemeByName(name).name() == name)
            continue;
        QWebEngineUrlScheme scheme(name);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        // Only local pages may even link to it; the page filter decides the rest.
        scheme.setFlags(QWebEngineUrlScheme::LocalScheme);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

void refuseCommandLoads(QWebEngineProfile& profile) {
    for (const QByteArray& name : {kCommandScheme, kWrittenLinkScheme}) {
        if (!profile.urlSchemeHandler(name))
            profile.installUrlSchemeHandler(name, new RefusingHandler(&profile));
    }
}

} // namespace dv::qt
