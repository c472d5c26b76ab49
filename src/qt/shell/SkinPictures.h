#pragma once

#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace dv::qt {

// The pictures compiled into the program.
class SkinPictures {
  public:
    // The 800 x 600 background; null when the resource is missing.
    static QImage background();
    // The background drawn the way the window shows it: its corner colour
    // left out (transparent).
    static QPixmap backgroundWithCornersLeftOut();
    // The same for a screen of that device pixel ratio: above 1, rendered
    // from the skin's SVG source at the ratio, so that it stays sharp.
    static QPixmap backgroundWithCornersLeftOut(qreal ratio);
    // A highlight picture at its place (logical pixels) for that ratio: above
    // 1, cut from the lit skin rendered at the ratio.
    static QPixmap highlight(const QString& name, const QRect& place, qreal ratio);
    static QPixmap picture(const QString& name);
    // The window's shape: every pixel but the background's corner colour.
    static QBitmap windowShape();
};

} // namespace dv::qt
