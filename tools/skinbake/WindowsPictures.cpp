#include "WindowsPictures.h"

#include <QBuffer>

namespace WindowsPictures {

namespace {

void put16(QByteArray& out, quint32 value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

constexpr quint32 kFileHeaderSize = 14;
constexpr quint32 kInfoHeaderSize = 40;

// BITMAPINFOHEADER; height is negative for top-down rows, here always bottom-up.
void putInfoHeader(QByteArray& out, int width, int height, quint16 bitCount, quint32 imageSize) {
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<quint32>(width));
    put32(out, static_cast<quint32>(height));
    put16(out, 1); // planes
    put16(out, bitCount);
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 2835); // 72 dpi, as pixels per metre
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
}

QByteArray bmpFile(const QImage& image, quint16 bitCount, const QByteArray& pixels) {
    QByteArray out;
    put16(out, 0x4D42); // "BM"
    put32(out, kFileHeaderSize + kInfoHeaderSize + static_cast<quint32>(pixels.size()));
    put32(out, 0);
    put32(out, kFileHeaderSize + kInfoHeaderSize);
    putInfoHeader(out, image.width(), image.height(), bitCount,
                  static_cast<quint32>(pixels.size()));
    out.append(pixels);
    return out;
}

// Rows from the bottom up, each padded to four bytes.
QByteArray pixelRows(const QImage& argb, bool withAlpha, bool premultiplied) {
    QByteArray rows;
    const int bytesPerPixel = withAlpha ? 4 : 3;
    const int stride = (argb.width() * bytesPerPixel + 3) & ~3;
    rows.reserve(stride * argb.height());
    for (int y = argb.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        const qsizetype start = rows.size();
        for (int x = 0; x < argb.width(); ++x) {
            QRgb pixel = line[x];
            if (premultiplied)
                pixel = qPremultiply(pixel);
            rows.append(static_cast<char>(qBlue(pixel)));
            rows.append(static_cast<char>(qGreen(pixel)));
            rows.append(static_cast<char>(qRed(pixel)));
            if (withAlpha)
                rows.append(static_cast<char>(qAlpha(pixel)));
        }
        rows.append(QByteArray(stride - static_cast<int>(rows.size() - start), '\0'));
    }
    return rows;
}

// An icon entry as a DIB: the colour rows, then a one-bit AND mask (set
// where fully transparent), the header's height counting both.
QByteArray iconDib(const QImage& argb) {
    QByteArray colour = pixelRows(argb, true, false);
    const int maskStride = ((argb.width() + 31) / 32) * 4;
    QByteArray mask(maskStride * argb.height(), '\0');
    for (int y = argb.height() - 1, row = 0; y >= 0; --y, ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                mask[row * maskStride + x / 8] =
                    static_cast<char>(mask[row * maskStride + x / 8] | (0x80 >> (x % 8)));
        }
    }
    QByteArray out;
    putInfoHeader(out, argb.width(), argb.height() * 2, 32,
                  static_cast<quint32>(colour.size() + mask.size()));
    out.append(colour);
    out.append(mask);
    return out;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

QByteArray bmp32Premultiplied(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    return bmpFile(argb, 32, pixelRows(argb, true, true));
}

QByteArray ico(const QList<QImage>& sizes) {
    QList<QByteArray> entries;
    for (const QImage& image : sizes) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        entries.append(argb.width() > 64 ? png(argb) : iconDib(argb));
    }
    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // icon
    put16(out, static_cast<quint32>(entries.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const int side = sizes[i].width();
        out.append(static_cast<char>(side >= 256 ? 0 : side)); // 0 stands for 256
        out.append(static_cast<char>(side >= 256 ? 0 : side));
        out.append('\0'); // no palette
        out.append('\0');
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, static_cast<quint32>(entries[i].size()));
        put32(out, offset);
        offset += static_cast<quint32>(entries[i].size());
    }
    for (const QByteArray& entry : entries)
        out.append(entry);
    return out;
}

} // namespace WindowsPictures
