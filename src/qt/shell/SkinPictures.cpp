#include "shell/SkinPictures.h"

#include "shell/MainWindowLayout.h"


static void initSkinResources() { Q_INIT_RESOURCE(skin); }

namespace dv::qt {

namespace {

void ensureResources() {
    static const bool loaded = (initSkinResources(), true);
    (void)loaded;
}

QBitmap shapeOf(const QImage& image) {
    if (image.isNull())
        return {};
    const dv::Rgb c = layout::kBackgroundCorner;
    return QBitmap::fromImage(
        image.createMaskFromColor(qRgb(c.red, c.green, c.blue), Qt::MaskInColor));
}

} // namespace

QImage SkinPictures::background() {
    ensureResources();
    return QImage(QStringLiteral(":/skin/BGBILD.bmp"));
}

QBitmap SkinPictures::windowShape() { return shapeOf(background()); }

QPixmap SkinPictures::backgroundWithCornersLeftOut() {
    const QImage image = background();
    QPixmap pixmap = QPixmap::fromImage(image);
    if (!pixmap.isNull())
        pixmap.setMask(shapeOf(image));
    return pixmap;
}

QPixmap SkinPictures::picture(const QString& name) {
    ensureResources();
    return QPixmap(QStringLiteral(":/skin/") + name + QStringLiteral(".png"));
}

} // namespace dv::qt
