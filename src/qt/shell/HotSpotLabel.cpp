#include "qt/shell/HotSpotLabel.h"

#include "core/shell/HotSpotFocus.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dv::qt {

namespace {

HotSpotFocus::Key keyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return HotSpotFocus::Key::Enter;
    case Qt::Key_Space:
        return HotSpotFocus::Key::Space;
    case Qt::Key_Tab:
        return HotSpotFocus::Key::Tab;
    case Qt::Key_Backtab:
        return HotSpotFocus::Key::BackTab;
    default:
        return HotSpotFocus::Key::Other;
    }
}

} // namespace

HotSpotLabel::HotSpotLabel(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void HotSpotLabel::setVisible(bool visible) {
    const bool was = !isHidden();
    QLabel::setVisible(visible);
    if (was != visible)
        Q_EMIT visibilityChanged(visible);
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
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void HotSpotLabel::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && !event->isAutoRepeat() &&
        HotSpotFocus::use(keyOf(*event)) == HotSpotFocus::KeyUse::Click) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    // Typed characters go on to the window (the hidden screen's keys).
    QLabel::keyPressEvent(event);
}

void HotSpotLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    update();
    Q_EMIT focusEntered();
}

void HotSpotLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    update();
    Q_EMIT focusLeft();
}

void HotSpotLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus() || !spot_)
        return;
    const Rect mark = HotSpotFocus::focusMark(*spot_);
    const QRect area(mark.left - x(), mark.top - y(), mark.width, mark.height);
    QPainter painter(this);
    // Black dots with white between them show on the light and the dark
    // parts of the skin alike.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

} // namespace dv::qt
