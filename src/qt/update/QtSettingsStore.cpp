#include "qt/update/QtSettingsStore.h"

#include <QFile>
#include <QSettings>

namespace dv::qt {

namespace {

QSettings open() {
    return {QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora Media"),
            QStringLiteral("Datavinds cd")};
}

const QString kCheck = QStringLiteral("AutoUpdate/CheckAtStart");
const QString kDontRemind = QStringLiteral("AutoUpdate/DontRemind");

} // namespace

QString QtSettingsStore::fileName() {
    return open().fileName();
}

std::optional<Settings> QtSettingsStore::read() {
    // Reading must not create the store.
    if (!QFile::exists(fileName()))
        return std::nullopt;
    const QSettings s = open();
    Settings settings;
    if (s.contains(kCheck))
        settings.checkAtStart = s.value(kCheck).toBool();
    settings.dontRemind = s.value(kDontRemind, false).toBool();
    return settings;
}

void QtSettingsStore::write(const Settings& settings) {
    QSettings s = open();
    if (settings.checkAtStart)
        s.setValue(kCheck, *settings.checkAtStart);
    else
        s.remove(kCheck);
    s.setValue(kDontRemind, settings.dontRemind);
    s.sync();
}

} // namespace dv::qt
