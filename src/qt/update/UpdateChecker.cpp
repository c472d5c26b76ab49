#include "update/UpdateChecker.h"

#include "app/PublisherAddresses.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <QWidget>

#include <cstdlib>

namespace dv::qt {

UpdateChecker::UpdateChecker(Parts parts)
    : mainWindow_(parts.mainWindow), consentDialog_(parts.consent),
      // Opened without creating: a first run leaves no trace until it exits.
      consent_(store_.read().value_or(Settings{})), volume_(parts.discRoot),
      document_({parser_, parts.quarantine, parts.extraInfo, parts.boxes, parts.launcher, parts.notes,
                 parts.status, *this}),
      request_(serviceBase(), volume_, http_, parts.status, [this](const std::string& body) { answered(body); }) {
    reading_.setMaxThreadCount(1);
}

void UpdateChecker::answered(const std::string& body) {
    document_.answerReceived();
    // Parsing a large document takes longer than a frame: a thread of its
    // own, with a parser of its own. The plan comes back to this thread.
    auto* watcher = new QFutureWatcher<UpdatePlan>(this);
    connect(watcher, &QFutureWatcher<UpdatePlan>::finished, this, [this, watcher] {
        watcher->deleteLater();
        document_.AutoUpdatePlanned(watcher->result());
        Q_EMIT answerProcessed();
    });
    watcher->setFuture(QtConcurrent::run(&reading_, [body] {
        LibXmlParser parser;
        return readUpdatePlan(parser, body);
    }));
}

std::string UpdateChecker::serviceBase() {
    if (const char* base = std::getenv("DATAVIND_UPDATE_URL"); base && *base)
        return base;
    return publisher::kUpdateServiceBase;
}

void UpdateChecker::startPageLoaded() {
    if (consent_.startPageLoaded(consentDialog_))
        DoAutoUpdate();
}

void UpdateChecker::DoAutoUpdate() { request_.DoAutoUpdate(); }

void UpdateChecker::writeRegSettings() { store_.write(consent_.settings()); }

void UpdateChecker::requestTermination() {
    // Once the processing has finished: the main window closes the usual way.
    QTimer::singleShot(0, &mainWindow_, [this] { mainWindow_.close(); });
}

} // namespace dv::qt
