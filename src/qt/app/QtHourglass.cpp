#include "qt/app/QtHourglass.h"

#include <QApplication>
#include <QCursor>

namespace dv::qt {

void QtHourglass::showHourglass() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtHourglass::restoreCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace dv::qt
