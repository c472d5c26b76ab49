#include "qt/shell/FilmView.h"

#include <QPainter>
#include <QVideoFrame>
#include <QVideoSink>

namespace dv::qt {

FilmView::FilmView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QVideoSink* FilmView::sink() {
    if (!sink_) {
        sink_ = new QVideoSink(this);
        connect(sink_, &QVideoSink::videoFrameChanged, this, &FilmView::show);
    }
    return sink_;
}

FilmView::~FilmView() {
    // A frame may still arrive while the view is taken apart: not here.
    if (sink_)
        disconnect(sink_, nullptr, this, nullptr);
}

void FilmView::show(const QVideoFrame& frame) {
    frame_ = frame.toImage();
    update();
}

void FilmView::clear() {
    frame_ = {};
    update();
}

void FilmView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (frame_.isNull())
        return;
    // The whole frame, as large as fits, in the middle.
    QSize size = frame_.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, frame_);
}

} // namespace dv::qt
