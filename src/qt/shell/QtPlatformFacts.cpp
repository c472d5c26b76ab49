#include "qt/shell/QtPlatformFacts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dv::qt {

namespace {

// Window systems that cut a top-level window to a mask. Offscreen and
// minimal platforms show no windows to cut.
bool platformShapesWindows() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")) ||
           platform == QLatin1String("windows") || platform == QLatin1String("cocoa");
}

} // namespace

PlatformFacts currentPlatformFacts(const QWidget& window) {
    PlatformFacts facts;
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    facts.colourDepth = screen ? screen->depth() : 0;
    facts.canShapeWindows = platformShapesWindows();
#ifdef Q_OS_WIN
    facts.isWindows = true; // the Windows front end reads the version record itself
#endif
    return facts;
}

} // namespace dv::qt
