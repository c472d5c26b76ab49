#include "app/SplashWindow.h"

#include "app/QtText.h"
#include "app/StartupTrace.h"
#include "shell/MainWindowLayout.h"
#include "shell/SkinPictures.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include <cerrno>
#include <csignal>

namespace dv::qt {

namespace {

QRect toQRect(const Rect& r) { return {r.left, r.top, r.width, r.height}; }

} // namespace

SplashWindow::SplashWindow(pid_t program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), program_(program) {
    // The same window as the program's own, so that the hand-over is not seen.
    setWindowTitle(toQString(layout::kWindowCaption));
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    background_ = SkinPictures::backgroundWithCornersLeftOut();
    if (!background_.isNull())
        setMask(background_.mask());
    setCursor(Qt::BusyCursor);

    auto* panel = new QLabel(toQString(layout::kIEPanelCaption), this);
    panel->setGeometry(toQRect(layout::kIEPanel));
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);

    // A bar that keeps moving says the disc is being read, not stuck.
    auto* busy = new QProgressBar(this);
    busy->setGeometry(toQRect(layout::kDocumentProgress));
    busy->setRange(0, 0);
    busy->setTextVisible(false);

    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    watch_ = new QTimer(this);
    watch_->setInterval(250);
    connect(watch_, &QTimer::timeout, this, &SplashWindow::checkProgram);
    watch_->start();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Rgb sky = layout::kSkyBlue;
    painter.fillRect(rect(), QColor(sky.red, sky.green, sky.blue));
    painter.drawPixmap(0, 0, background_);
    StartupTrace::mark("splash");
}

void SplashWindow::checkProgram() {
    // A program that ended before its window showed leaves no splash behind.
    if (program_ > 0 && ::kill(program_, 0) != 0 && errno == ESRCH)
        QCoreApplication::quit();
}

} // namespace dv::qt
