// skinbake SKIN.svg OUTDIR [PICTURE.svg ...]
//
// Each further picture is rendered at its own size to OUTDIR/<name>.png.
// Renders the skin twice: without its "lit" group as the background picture
// BGBILD.bmp (24-bit, 800 x 600), and with it, from which every hot-spot's
// highlight picture is cut at its place. Cutting from one full rendering keeps
// each highlight in register with the background under it.

#include "shell/HotSpotCatalog.h"
#include "shell/MainWindowLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {

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

bool save(const QImage& image, const QString& path) {
    if (image.save(path))
        return true;
    std::fprintf(stderr, "skinbake: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: skinbake SKIN.svg OUTDIR [PICTURE.svg ...]\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "skinbake: cannot read %s\n", argv[1]);
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
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!save(background, out.filePath("BGBILD.bmp")))
        return 1;

    const dv::HotSpotCatalog catalog("");
    for (const dv::HotSpot& spot : catalog.all()) {
        if (spot.highlight.empty())
            continue;
        const dv::Rect& r = spot.highlightBounds;
        const QImage picture = lit.copy(r.left, r.top, r.width, r.height);
        if (!save(picture, out.filePath(QString::fromStdString(spot.highlight) + ".png")))
            return 1;
    }
    for (int i = 3; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        const QImage picture = file.open(QIODevice::ReadOnly)
                                   ? render(file.readAll(), {}, QImage::Format_ARGB32)
                                   : QImage();
        if (picture.isNull()) {
            std::fprintf(stderr, "skinbake: cannot render %s\n", argv[i]);
            return 1;
        }
        if (!save(picture, out.filePath(QFileInfo(file).completeBaseName() + ".png")))
            return 1;
    }
    return 0;
}
