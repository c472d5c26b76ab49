#pragma once

#include <QLabel>

namespace dv {
struct HotSpot;
}

namespace dv::qt {

// A transparent label over the skin that reports the mouse entering, leaving
// and clicking it. It keeps its presses, so they never reach the window and
// never start a window drag. With the keyboard focus it shows a focus mark
// and takes Enter and Space as a click.
class HotSpotLabel : public QLabel {
    Q_OBJECT
  public:
    explicit HotSpotLabel(QWidget* parent);

    // The hot-spot it stands for; it must outlive the label.
    void setSpot(const HotSpot& spot) { spot_ = &spot; }
    const HotSpot* spot() const { return spot_; }
    // Acts as a click (keys, screen readers).
    void activate() { Q_EMIT clicked(); }
    void setVisible(bool visible) override;

  Q_SIGNALS:
    void entered();
    void left();
    void clicked();
    // Any button let go, wherever: a pressed label keeps the mouse.
    void released(QPoint position, Qt::MouseButton button);
    void focusEntered();
    void focusLeft();
    void visibilityChanged(bool visible);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    const HotSpot* spot_ = nullptr;
    bool pressed_ = false;
};

} // namespace dv::qt
