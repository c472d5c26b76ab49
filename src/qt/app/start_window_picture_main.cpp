// datavind-splash-picture OUT
//
// Draws the start window's picture at build time: the skin with its corners
// left out and the centre panel saying that the disc is starting, exactly as
// the main window shows them before its page. The start window itself
// (datavind-splash) then needs no toolkit, font or picture library.

#include "core/shell/MainWindowLayout.h"
#include "qt/app/QtText.h"
#include "qt/shell/SkinPictures.h"

#include "linux/startwindow/StartWindowPicture.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: datavind-splash-picture OUT\n");
        return 2;
    }
    const QImage skin = dv::qt::SkinPictures::background();
    if (skin.isNull()) {
        std::fprintf(stderr, "datavind-splash-picture: no skin\n");
        return 1;
    }
    QImage image = skin.convertToFormat(QImage::Format_ARGB32);
    const dv::Rgb corner = dv::layout::kBackgroundCorner;
    const QRgb hole = qRgb(corner.red, corner.green, corner.blue);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == hole)
                image.setPixel(x, y, 0);

    // The main window's centre panel as it stands until the page covers it.
    QPainter painter(&image);
    const dv::Rect& panel = dv::layout::kIEPanel;
    const QRect place(panel.left, panel.top, panel.width, panel.height);
    painter.fillRect(place, Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(place, Qt::AlignCenter, dv::qt::toQString(dv::layout::kIEPanelCaption));
    painter.end();

    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(image.pixel(x, y));
    const dv::StartWindowPicture picture(image.width(), image.height(), std::move(pixels));
    const std::vector<unsigned char> bytes = picture.serialise();
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        std::fprintf(stderr, "datavind-splash-picture: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
