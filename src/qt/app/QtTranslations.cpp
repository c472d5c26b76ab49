#include "qt/app/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace dv::qt {

namespace {

// Debian's Swedish catalog of Qt still knows its texts by their Qt 4 names:
// the standard buttons under the button box, where Qt 6 asks the platform
// theme, and two texts of the file dialog in their old words. Asked by the
// new name, the catalog answers from the old one.
struct Renamed {
    const char* context;
    const char* text;
    const char* oldContext;
    const char* oldText; // nullptr: the same words
};
constexpr Renamed kRenamed[] = {
    {"QPlatformTheme", nullptr, "QDialogButtonBox", nullptr},
    {"QFileDialog", "Look in:", "Q3FileDialog", "Look &in:"},
    {"QFileSystemModel", "Computer", "QFileSystemModel", "My Computer"},
};

class Qt4NamedCatalog : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        for (const Renamed& r : kRenamed) {
            if (!text.isEmpty())
                break;
            if (qstrcmp(context, r.context) != 0 || (r.text && qstrcmp(sourceText, r.text) != 0))
                continue;
            text = QTranslator::translate(r.oldContext, r.oldText ? r.oldText : sourceText,
                                          disambiguation, n);
            // An old text with a shortcut where the new one has none.
            if (!std::strchr(sourceText, '&'))
                text.remove(QLatin1Char('&'));
        }
        return text;
    }
};

// "qt" is the whole of Qt's texts in older packagings and a catalog of the
// module catalogs in newer ones; the module catalogs are named too.
const char* const kCatalogs[] = {"qt", "qtbase", "qtmultimedia"};

} // namespace

QStringList translationFolders(const QString& executableFolder) {
    return {QDir(executableFolder).filePath(QStringLiteral("translations")),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

QStringList installQtTranslations(const QStringList& folders) {
    QStringList installed;
    for (const char* catalog : kCatalogs) {
        for (const QString& folder : folders) {
            // The exact file: a translator left to search would settle for
            // a catalog of another language.
            const QString file =
                QDir(folder).filePath(QLatin1String(catalog) + QStringLiteral("_sv.qm"));
            if (!QFileInfo(file).isFile())
                continue;
            auto* translator = new Qt4NamedCatalog(QCoreApplication::instance());
            if (translator->load(file) && QCoreApplication::installTranslator(translator)) {
                installed << file;
                break;
            }
            delete translator;
        }
    }
    return installed;
}

} // namespace dv::qt
