#include "update/TAutoUpdateSettingsForm.h"

namespace dv::qt {

TAutoUpdateSettingsForm::TAutoUpdateSettingsForm()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AutoUpdateSettingsForm"));
    setWindowTitle(QStringLiteral("Automatisk uppdatering"));
    setFixedSize(408, 177);
}

} // namespace dv::qt
