#include "qt/app/DatavindApplication.h"

#include "core/app/ErrorReportText.h"
#include "core/app/MessageBoxes.h"
#include "core/shell/MainWindowLayout.h"
#include "qt/app/QtMessageBoxes.h"
#include "qt/app/QtText.h"
#include "qt/app/QtTranslations.h"

#include <QFont>
#include <QQuickWindow>
#include <QScreen>

#include <exception>

namespace dv::qt {

DatavindApplication::DatavindApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("Velmora Media"));
    setApplicationName(toQString(layout::kApplicationTitle));
    // Every window was laid out for an 8-point sans serif, 11 pixels high.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    installQtTranslations(translationFolders(applicationDirPath()));
    // At fewer than 24 bits per pixel the OpenGL composition of Qt Quick
    // widgets, the web view among them, shows nothing but black; the
    // software scene graph draws them. Said before any view exists.
    if (const QScreen* screen = primaryScreen(); screen && screen->depth() < 24)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

bool DatavindApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()));
    } catch (...) {
        report(QString::fromUtf8(kUnknownErrorText));
    }
    return false;
}

void DatavindApplication::report(const QString& text) {
    // The text may name a file or quote the update service: plain text.
    QtMessageBoxes unowned;
    MessageBoxes& boxes = boxes_ ? *boxes_ : unowned;
    boxes.show({layout::kApplicationTitle, toStdString(text), MessageIcon::Error});
}

} // namespace dv::qt
