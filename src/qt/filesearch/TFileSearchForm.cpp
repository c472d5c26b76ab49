#include "filesearch/TFileSearchForm.h"

namespace dv::qt {

TFileSearchForm::TFileSearchForm(const std::string& discRoot)
    : QWidget(nullptr, Qt::Tool), discRoot_(discRoot) {
    setObjectName(QStringLiteral("FileSearchForm"));
    setWindowTitle(QStringLiteral("Filsökaren"));
    resize(498, 379);
    setMinimumSize(390, 200);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

} // namespace dv::qt
