#include "music/QtSaveDialog.h"

#include "app/QtText.h"

#include <QDir>
#include <QFileDialog>

namespace dv::qt {

std::optional<std::string> QtSaveDialog::askSaveFileName(const std::string& proposedName) {
    QFileDialog dialog(owner_);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("MP3-filer (*.MP3)"), QStringLiteral("Alla filer (*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("MP3"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDirectory(QDir::homePath());
    dialog.selectFile(toQString(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return toStdString(dialog.selectedFiles().first());
}

} // namespace dv::qt
