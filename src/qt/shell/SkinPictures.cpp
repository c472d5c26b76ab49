#include "qt/shell/SkinPictures.h"

#include "core/shell/DisplayScale.h"
#include "core/shell/MainWindowLayout.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

static void initSkinResources() {
    Q_INIT_RESOURCE(skin);
}

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

// The scale of a device pixel ratio, in the core's terms (1.25: 120 dpi).
dv::DisplayScale scaleOf(qreal ratio) {
    return dv::DisplayScale(static_cast<int>(std::lround(ratio * dv::DisplayScale::kBaseDpi)));
}

// The skin rendered at a scale, its highlights shown or not; kept for the
// scale last asked for.
QImage renderedSkin(const dv::DisplayScale& scale, bool lit) {
    static QImage cache[2];
    static int cachedDpi[2] = {0, 0};
    QImage& image = cache[lit ? 1 : 0];
    if (cachedDpi[lit ? 1 : 0] == scale.dpi())
        return image;
    ensureResources();
    QFile file(QStringLiteral(":/skin/skin.svg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray svg = file.readAll();
    if (lit)
        svg.replace("id=\"lit\" display=\"none\"", "id=\"lit\"");
    QSvgRenderer renderer(svg);
    const dv::Rect size =
        scale.toPhysical(dv::Rect{0, 0, layout::kClientWidth, layout::kClientHeight});
    image = QImage(size.width, size.height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size.width, size.height));
    painter.end();
    cachedDpi[lit ? 1 : 0] = scale.dpi();
    return image;
}

} // namespace

QPixmap SkinPictures::backgroundWithCornersLeftOut(qreal ratio) {
    const dv::DisplayScale scale = scaleOf(ratio);
    const QImage image = scale.isIdentity() ? QImage() : renderedSkin(scale, false);
    if (image.isNull())
        return backgroundWithCornersLeftOut();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(shapeOf(image));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap SkinPictures::highlight(const QString& name, const QRect& place, qreal ratio) {
    const dv::DisplayScale scale = scaleOf(ratio);
    const QImage lit = scale.isIdentity() ? QImage() : renderedSkin(scale, true);
    if (lit.isNull())
        return picture(name);
    const dv::Rect r =
        scale.toPhysical(dv::Rect{place.x(), place.y(), place.width(), place.height()});
    QPixmap pixmap = QPixmap::fromImage(lit.copy(r.left, r.top, r.width, r.height));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QImage SkinPictures::background() {
    ensureResources();
    return QImage(QStringLiteral(":/skin/BGBILD.bmp"));
}

QBitmap SkinPictures::windowShape() {
    return shapeOf(background());
}

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
