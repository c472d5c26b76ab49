#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Picture files in the forms the Windows program loads from its resources.
namespace WindowsPictures {

// A 32-bit bottom-up BMP file whose fourth byte is alpha, with the colours
// premultiplied by it: what AlphaBlend with AC_SRC_ALPHA draws directly.
QByteArray bmp32Premultiplied(const QImage& image);

// An icon file with one entry per square image: 32-bit colour with alpha
// and an AND mask up to 64 pixels, PNG above, as Windows expects them.
QByteArray ico(const QList<QImage>& sizes);

} // namespace WindowsPictures
