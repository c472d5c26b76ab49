#include "browser/TExtraInfoForm.h"

namespace dv::qt {

TExtraInfoForm::TExtraInfoForm() : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("ExtraInfoForm"));
    setWindowTitle(QStringLiteral("Datavinds cd - Mer information"));
    setFixedSize(386, 217);
}

} // namespace dv::qt
