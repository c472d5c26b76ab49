#include "qt/browser/TProgStartingForm.h"

#include "core/browser/WaitingWindowModel.h"
#include "qt/app/QtText.h"
#include "qt/app/QtTextMeasure.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

namespace dv::qt {

using WaitingModel = WaitingWindowModel;

TProgStartingForm::TProgStartingForm()
    : QWidget(nullptr,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ProgStartingForm"));
    setWindowTitle(toQString(WaitingModel::kCaption));

    Label1 = new QLabel(toQString(WaitingModel::kText), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(WaitingModel::kMinimum, WaitingModel::kMaximum);
    ProgressBar1->setTextVisible(false);

    const WaitingWindowLayout l = WaitingModel::layout(QtTextMeasure(*this));
    setFixedSize(l.clientWidth, l.clientHeight);
    Label1->setGeometry(toQRect(l.Label1));
    ProgressBar1->setGeometry(toQRect(l.ProgressBar1));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(WaitingModel::kTickMs);
    connect(Timer1, &QTimer::timeout, this, &TProgStartingForm::Timer1Timer);
}

void TProgStartingForm::showWaiting() {
    show();
    raise();
    // Let it paint before the launch blocks.
    QCoreApplication::processEvents();
}

void TProgStartingForm::hideWaiting() {
    hide();
}

void TProgStartingForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    ProgressBar1->setValue(WaitingModel::positionWhenShown());
    Timer1->start();
}

void TProgStartingForm::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QWidget::hideEvent(event);
}

void TProgStartingForm::Timer1Timer() {
    ProgressBar1->setValue(WaitingModel::nextPosition(ProgressBar1->value()));
}

} // namespace dv::qt
