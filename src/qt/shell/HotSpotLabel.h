#pragma once

#include <QLabel>

namespace dv::qt {

// A transparent label over the skin that reports the mouse entering, leaving
// and clicking it. It keeps its presses, so they never reach the window and
// never start a window drag.
class HotSpotLabel : public QLabel {
    Q_OBJECT
public:
    explicit HotSpotLabel(QWidget* parent);

Q_SIGNALS:
    void entered();
    void left();
    void clicked();
    // Any button let go, wherever: a pressed label keeps the mouse.
    void released(QPoint position, Qt::MouseButton button);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace dv::qt
