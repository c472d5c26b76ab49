#pragma once

#include <QString>
#include <QStringList>

namespace dv::qt {

// Qt's own texts (standard buttons, the file dialog and its questions) in
// Swedish, as every other text of the program is, whatever the reader's
// language. A disc may carry its libraries, so the catalogs are looked for
// first in a "translations" folder beside the executable, then where Qt
// keeps its own.
QStringList translationFolders(const QString& executableFolder);

// Installs every Swedish catalog of Qt found, each from the first folder
// that has it, into the running application. Returns the files installed.
QStringList installQtTranslations(const QStringList& folders);

} // namespace dv::qt
