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
    static QPixmap picture(const QString& name);
    // The window's shape: every pixel but the background's corner colour.
    static QBitmap windowShape();
};

} // namespace dv::qt
