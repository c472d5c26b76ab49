#pragma once

#include <QImage>
#include <QWidget>

class QVideoFrame;
class QVideoSink;

namespace dv::qt {

// Where the hidden screen's film is seen: frames from a video sink, drawn
// by the widget itself. A video widget draws through a window and graphics
// surface of its own, which stay black once the screen has been hidden and
// shown again, and at 16 bits per pixel; plain painting has neither fault.
class FilmView : public QWidget {
  public:
    explicit FilmView(QWidget* parent);
    ~FilmView() override;

    // Made when first asked for, with the film's player.
    QVideoSink* sink();
    // Black again, until the next film's first frame.
    void clear();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void show(const QVideoFrame& frame);

    QVideoSink* sink_ = nullptr;
    QImage frame_;
};

} // namespace dv::qt
