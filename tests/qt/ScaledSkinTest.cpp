// The main window on a screen scaled by a fraction (QT_SCALE_FACTOR=1.25,
// set by the test's environment): still 800 x 600 logical pixels, and its
// skin and highlights drawn from the SVG source at the screen's pixels, not
// enlarged from the 800 x 600 pictures.

#include "QtTestHelpers.h"
#include "core/shell/HotSpotCatalog.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <cstdlib>

using dv::test::MainWindowUnderTest;

namespace {

QImage rendered(QSize size, bool lit = false) {
    QFile file(QStringLiteral(":/skin/skin.svg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray svg = file.readAll();
    if (lit)
        svg.replace("id=\"lit\" display=\"none\"", "id=\"lit\"");
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The mean difference of two pictures per colour channel over an area.
double difference(const QImage& a, const QImage& b, const QRect& area) {
    long long sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return static_cast<double>(sum) / (3.0 * area.width() * area.height());
}

} // namespace

class ScaledSkinTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void theWindowKeepsItsSizeInLogicalPixels() {
        QCOMPARE(qApp->devicePixelRatio(), 1.25);
        MainWindowUnderTest t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form));
        QCOMPARE(t.form->size(), QSize(800, 600));
        QCOMPARE(t.form->grab().size(), QSize(1000, 750));
        // The outline is cut in logical pixels as at 100 %.
        QVERIFY(!t.form->mask().contains(QPoint(0, 0)));
        QVERIFY(t.form->mask().contains(QPoint(400, 300)));
    }

    void theSkinIsRenderedAtTheScreensPixels() {
        MainWindowUnderTest t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form));
        const QImage shot = t.form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage sharp = rendered(QSize(1000, 750));
        QVERIFY(!sharp.isNull());
        const QImage enlarged =
            rendered(QSize(800, 600))
                .scaled(1000, 750, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // The band of the sections and the menu line, inside the outline:
        // only skin lies there while nothing is hovered.
        const QRect band(40, 10, 920, 140);
        const double shown = difference(shot, sharp, band);
        const double blurred = difference(enlarged, sharp, band);
        qInfo("mean difference from the skin rendered at 125 %%: shown %.2f, enlarged from 100 %% "
              "%.2f",
              shown, blurred);
        QVERIFY2(blurred > 1.0, "the band has too little detail to tell sharp from enlarged");
        QVERIFY2(shown < blurred / 4, "the skin is enlarged from 800 x 600, not drawn at 125 %");
    }

    void aHighlightIsRenderedAtTheScreensPixels() {
        MainWindowUnderTest t;
        const dv::HotSpotCatalog catalog("x");
        const dv::HotSpot& noje = *catalog.find("lbNoje");
        auto* lit = t.form->findChild<QLabel*>(QStringLiteral("imAktNoje"));
        QVERIFY(lit);
        const QPixmap pixmap = lit->pixmap();
        QCOMPARE(pixmap.devicePixelRatio(), 1.25);
        // 352, 5, 72, 73 at 125 %: edges 440, 6, 530, 98.
        QCOMPARE(pixmap.size(), QSize(90, 92));
        const QImage sharp = rendered(QSize(1000, 750), true).copy(440, 6, 90, 92);
        const QImage shown = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(difference(shown, sharp, QRect(0, 0, 90, 92)) < 0.5, noje.highlight.c_str());
    }
};

DATAVIND_QTEST_MAIN(ScaledSkinTest)
#include "ScaledSkinTest.moc"
