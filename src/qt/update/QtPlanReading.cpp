#include "qt/update/QtPlanReading.h"

#include "linux/LibXmlParser.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace dv::qt {

QtPlanReading::QtPlanReading() {
    pool_.setMaxThreadCount(1);
}

QtPlanReading::~QtPlanReading() {
    // The watchers go with this object, so no plan arrives after it.
    pool_.waitForDone();
}

void QtPlanReading::read(std::string answer, std::function<void(UpdatePlan)> planned) {
    // Parsing a large document takes longer than a frame: a thread of its
    // own, with a parser of its own. The plan comes back to this thread.
    auto* watcher = new QFutureWatcher<UpdatePlan>(this);
    connect(watcher, &QFutureWatcher<UpdatePlan>::finished, this,
            [watcher, planned = std::move(planned)] {
                watcher->deleteLater();
                planned(watcher->result());
            });
    watcher->setFuture(QtConcurrent::run(&pool_, [answer = std::move(answer)] {
        LibXmlParser parser;
        return readUpdatePlan(parser, answer);
    }));
}

} // namespace dv::qt
