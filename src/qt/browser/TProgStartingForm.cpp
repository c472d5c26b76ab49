#include "browser/TProgStartingForm.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

namespace dv::qt {

TProgStartingForm::TProgStartingForm()
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ProgStartingForm"));
    setWindowTitle(QStringLiteral("Vänta..."));
    setFixedSize(265, 74);

    Label1 = new QLabel(
        QStringLiteral("Vänligen vänta, programmet eller länken du klickade på startas..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 8, 249, 28);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 40, 249, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TProgStartingForm::Timer1Timer);
}

void TProgStartingForm::showWaiting() {
    show();
    raise();
    // Let it paint before the launch blocks.
    QCoreApplication::processEvents();
}

void TProgStartingForm::hideWaiting() { hide(); }

void TProgStartingForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    ProgressBar1->setValue(ProgressBar1->minimum());
    Timer1->start();
}

void TProgStartingForm::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QWidget::hideEvent(event);
}

void TProgStartingForm::Timer1Timer() {
    // One step per tick; a full sweep takes ten seconds and then starts over.
    if (ProgressBar1->value() < ProgressBar1->maximum())
        ProgressBar1->setValue(ProgressBar1->value() + 1);
    else
        ProgressBar1->setValue(ProgressBar1->minimum());
}

} // namespace dv::qt
