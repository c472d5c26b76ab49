#include "qt/music/QtSaveDialog.h"

#include "qt/app/MessageBoxDialog.h"
#include "qt/app/QtText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace dv::qt {

namespace {

// The file dialog's own question shows the name as rich text, and the name
// comes from the disc: the same question, in Qt's own words and language,
// in a box that shows it as plain text.
bool mayReplace(QFileDialog& dialog, const QString& path) {
    const QString question = QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                 .arg(QFileInfo(path).fileName());
    MessageBoxDialog box({toStdString(dialog.windowTitle()), toStdString(question),
                          MessageIcon::Warning, MessageButtons::YesNo},
                         &dialog);
    box.exec();
    return box.answer() == MessageAnswer::Yes;
}

} // namespace

std::optional<std::string> QtSaveDialog::askSaveFileName(const std::string& proposedName) {
    QFileDialog dialog(owner_);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(
        {QStringLiteral("MP3-filer (*.MP3)"), QStringLiteral("Alla filer (*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("MP3"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDirectory(QDir::homePath());
    dialog.selectFile(toQString(proposedName));
    // A "no" to the question leaves the reader in the dialog, as its own
    // question would.
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString chosen = dialog.selectedFiles().first();
        if (!QFileInfo::exists(chosen) || mayReplace(dialog, chosen))
            return toStdString(chosen);
    }
    return std::nullopt;
}

} // namespace dv::qt
