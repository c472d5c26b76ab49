// skinbake [--windows] SKIN.svg OUTDIR [PICTURE.svg ...]
//
// Renders the skin twice: without its "lit" group as the background picture
// BGBILD.bmp (24-bit, 800 x 600), and with it, from which every hot-spot's
// highlight picture is cut at its place. Cutting from one full rendering keeps
// each highlight in register with the background under it. Each further
// picture is rendered at its own size.
//
// The Qt program takes the highlights and further pictures as PNG files. With
// --windows every picture is a PNG file (the skin's opaque, the others with
// alpha; those at 100 % a 32-bit BMP file with premultiplied alpha, drawn
// without decoding), rendered once more at each scale Windows offers for its displays
// above 100 % and named after the picture and the scale (BGBILD_150), so
// that the program draws each sharp; the skin's disc becomes the program's
// icon datavind.ico, and skin.rc lists the pictures as RCDATA resources.
// PNG keeps the executable small: the background alone as a BMP file was
// 1.4 MB, every picture at every scale in PNG is about as much.

#include "WindowsPictures.h"

#include "core/shell/DisplayScale.h"
#include "core/shell/HotSpotCatalog.h"
#include "core/shell/MainWindowLayout.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr int kIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

QImage render(const QByteArray& svg, QSize size = {},
              QImage::Format format = QImage::Format_RGB888) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    if (size.isEmpty())
        size = renderer.defaultSize();
    QImage image(size, format);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
    return image;
}

// One element of the skin alone on a transparent square, with a small margin
// so that its outline's stroke is not cut off.
QImage renderElement(const QByteArray& svg, const QString& id, int side) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || !renderer.elementExists(id))
        return {};
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal margin = side * 0.04;
    renderer.render(&painter, id, QRectF(margin, margin, side - 2 * margin, side - 2 * margin));
    return image;
}

bool write(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "skinbake: cannot write %s\n", qPrintable(path));
    return false;
}

bool save(const QImage& image, const QString& path) {
    if (image.save(path))
        return true;
    std::fprintf(stderr, "skinbake: cannot write %s\n", qPrintable(path));
    return false;
}

// The Windows window is cut by the window's own colour: a pixel of exactly
// that colour anywhere in the skin would become a hole.
bool holdsKeyColour(const QImage& image, const QString& what) {
    const dv::Rgb key = dv::layout::kSkyBlue;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (qRed(line[x]) == key.red && qGreen(line[x]) == key.green &&
                qBlue(line[x]) == key.blue) {
                std::fprintf(stderr, "skinbake: %s has the window's key colour at %d,%d\n",
                             qPrintable(what), x, y);
                return true;
            }
        }
    }
    return false;
}

class Output {
  public:
    Output(const QString& dir, bool windows) : dir_(dir), windows_(windows) {}

    // A picture of the skin itself: opaque.
    bool skinPicture(const QImage& image, const QString& name) {
        if (!windows_)
            return save(image, dir_.filePath(name + (name == "BGBILD" ? ".bmp" : ".png")));
        return !holdsKeyColour(image, name) && resource(png(image), name);
    }
    // A picture of its own, with transparency. At 100 % a BMP file, drawn
    // as it is: the other windows open at start, and these few small
    // pictures cost no decoding then.
    bool picture(const QImage& image, const QString& name) {
        if (!windows_)
            return save(image, dir_.filePath(name + ".png"));
        return resource(WindowsPictures::bmp32Premultiplied(image), name, QStringLiteral(".bmp"));
    }
    // A picture for a display scaled above 100 % (Windows only).
    bool scaledPicture(const QImage& image, const QString& name, int percent, bool opaque) {
        const QString scaledName = QStringLiteral("%1_%2").arg(name).arg(percent);
        if (opaque && holdsKeyColour(image, scaledName))
            return false;
        return resource(png(image), scaledName);
    }
    bool finish() {
        if (!windows_)
            return true;
        return write(script_, dir_.filePath("skin.rc"));
    }

  private:
    // Compressed as far as PNG goes: the size of the executable counts.
    static QByteArray png(const QImage& image) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG", 0);
        return bytes;
    }

    bool resource(const QByteArray& bytes, const QString& name,
                  const QString& suffix = QStringLiteral(".png")) {
        const QString path = dir_.filePath(name + suffix);
        script_ += QString("%1 RCDATA \"%2\"\n").arg(name, path).toUtf8();
        return write(bytes, path);
    }

    QDir dir_;
    bool windows_;
    QByteArray script_ = "// Written by skinbake: every picture of the skin as a resource.\n";
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    const bool windows = args.removeAll(QStringLiteral("--windows")) > 0;
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: skinbake [--windows] SKIN.svg OUTDIR [PICTURE.svg ...]\n");
        return 2;
    }
    QFile source(args[0]);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "skinbake: cannot read %s\n", qPrintable(args[0]));
        return 1;
    }
    const QByteArray svg = source.readAll();
    const QByteArray hiddenLit = "id=\"lit\" display=\"none\"";
    if (!svg.contains(hiddenLit)) {
        std::fprintf(stderr, "skinbake: the skin has no hidden group \"lit\"\n");
        return 1;
    }
    QByteArray litSvg = svg;
    litSvg.replace(hiddenLit, "id=\"lit\"");

    const QSize skinSize(dv::layout::kClientWidth, dv::layout::kClientHeight);
    const QImage background = render(svg, skinSize);
    const QImage lit = render(litSvg, skinSize);
    if (background.isNull() || lit.isNull()) {
        std::fprintf(stderr, "skinbake: the skin is not valid SVG\n");
        return 1;
    }
    Output out(args[1], windows);
    if (!out.skinPicture(background, "BGBILD"))
        return 1;

    const dv::HotSpotCatalog catalog("");
    for (const dv::HotSpot& spot : catalog.all()) {
        if (spot.highlight.empty())
            continue;
        const dv::Rect& r = spot.highlightBounds;
        if (!out.skinPicture(lit.copy(r.left, r.top, r.width, r.height),
                             QString::fromStdString(spot.highlight)))
            return 1;
    }
    QList<QPair<QByteArray, QString>> pictures;
    for (qsizetype i = 2; i < args.size(); ++i) {
        QFile file(args[i]);
        const QByteArray pictureSvg =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const QImage picture =
            pictureSvg.isEmpty() ? QImage() : render(pictureSvg, {}, QImage::Format_ARGB32);
        if (picture.isNull()) {
            std::fprintf(stderr, "skinbake: cannot render %s\n", qPrintable(args[i]));
            return 1;
        }
        if (!out.picture(picture, QFileInfo(file).completeBaseName()))
            return 1;
        pictures.append({pictureSvg, QFileInfo(file).completeBaseName()});
    }
    if (windows) {
        for (const int percent : dv::bakedPicturePercents()) {
            if (percent == 100)
                continue;
            const dv::DisplayScale scale(percent * dv::DisplayScale::kBaseDpi / 100);
            const dv::Rect all =
                scale.toPhysical(dv::Rect{0, 0, skinSize.width(), skinSize.height()});
            const QSize size(all.width, all.height);
            const QImage scaledBackground = render(svg, size);
            const QImage scaledLit = render(litSvg, size);
            if (!out.scaledPicture(scaledBackground, "BGBILD", percent, true))
                return 1;
            for (const dv::HotSpot& spot : catalog.all()) {
                if (spot.highlight.empty())
                    continue;
                const dv::Rect r = scale.toPhysical(spot.highlightBounds);
                if (!out.scaledPicture(scaledLit.copy(r.left, r.top, r.width, r.height),
                                       QString::fromStdString(spot.highlight), percent, true))
                    return 1;
            }
            for (const auto& [pictureSvg, name] : pictures) {
                const QSize natural = QSvgRenderer(pictureSvg).defaultSize();
                const dv::Rect r =
                    scale.toPhysical(dv::Rect{0, 0, natural.width(), natural.height()});
                if (!out.scaledPicture(
                        render(pictureSvg, QSize(r.width, r.height), QImage::Format_ARGB32), name,
                        percent, false))
                    return 1;
            }
        }
    }
    if (windows) {
        QList<QImage> icon;
        for (const int side : kIconSizes)
            icon.append(renderElement(svg, QStringLiteral("disc"), side));
        if (icon.first().isNull()) {
            std::fprintf(stderr, "skinbake: the skin has no element \"disc\" for the icon\n");
            return 1;
        }
        if (!write(WindowsPictures::ico(icon), QDir(args[1]).filePath("datavind.ico")))
            return 1;
    }
    return out.finish() ? 0 : 1;
}
