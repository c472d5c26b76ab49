#include "qt/browser/InternetSettings.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace dv::qt {

bool openInternetSettings() {
    // GNOME, KDE Plasma 5 and 6, Xfce and other NetworkManager desktops.
    const QList<QStringList> candidates = {
        {QStringLiteral("gnome-control-center"), QStringLiteral("network")},
        {QStringLiteral("systemsettings"), QStringLiteral("kcm_proxy")},
        {QStringLiteral("kcmshell5"), QStringLiteral("proxy")},
        {QStringLiteral("nm-connection-editor")},
    };
    for (const QStringList& command : candidates) {
        const QString program = QStandardPaths::findExecutable(command.first());
        if (!program.isEmpty() && QProcess::startDetached(program, command.mid(1)))
            return true;
    }
    return false;
}

} // namespace dv::qt
