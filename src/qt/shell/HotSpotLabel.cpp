#include "shell/HotSpotLabel.h"

#include <QMouseEvent>

namespace dv::qt {

HotSpotLabel::HotSpotLabel(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void HotSpotLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    Q_EMIT entered();
}

void HotSpotLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    Q_EMIT left();
}

void HotSpotLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void HotSpotLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool wasPressed = pressed_;
    pressed_ = false;
    Q_EMIT released(event->position().toPoint(), event->button());
    // A click is a press and release of the left button over the label.
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace dv::qt
