#include "qt/update/UpdateChecker.h"

#include <QTimer>
#include <QWidget>

namespace dv::qt {

UpdateChecker::UpdateChecker(Parts parts)
    : mainWindow_(parts.mainWindow), volume_(parts.discRoot),
      update_({store_, parts.consent, volume_, http_, reading_, parts.quarantine, parts.extraInfo,
               parts.boxes, parts.launcher, parts.notes, parts.status, *this},
              OnlineUpdate::serviceBase()) {
    update_.onAnswerProcessed([this] { Q_EMIT answerProcessed(); });
}

void UpdateChecker::requestTermination() {
    // Once the processing has finished: the main window closes the usual way.
    QTimer::singleShot(0, &mainWindow_, [this] { mainWindow_.close(); });
}

} // namespace dv::qt
