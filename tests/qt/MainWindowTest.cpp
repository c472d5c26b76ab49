// The skinned main window on the real widgets: its controls, its shape, the
// hot-spots' hover, dragging by the background and the start page.

#include "QtTestHelpers.h"
#include "core/shell/HotSpotCatalog.h"
#include "core/shell/MainWindowLayout.h"
#include "qt/browser/QtBrowserHost.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

using dv::test::MainWindowUnderTest;

namespace {

QRect toQRect(const dv::Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

QLabel* picture(QWidget* form, const std::string& name) {
    return form->findChild<QLabel*>(QString::fromStdString(name));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void clientIs800By600AndBorderless() {
        MainWindowUnderTest t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form));
        QCOMPARE(t.form->size(), QSize(800, 600));
        QVERIFY(t.form->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(t.form->windowTitle(), QStringLiteral("Datavinds CD"));
    }

    void everyControlLiesAtItsPlace() {
        MainWindowUnderTest t;
        const dv::HotSpotCatalog catalog("x");
        for (const dv::HotSpot& spot : catalog.all()) {
            auto* label = t.form->findChild<QWidget*>(QString::fromStdString(spot.name));
            QVERIFY2(label, spot.name.c_str());
            QCOMPARE(label->geometry(), toQRect(spot.bounds));
            QCOMPARE(label->toolTip(), QString::fromStdString(spot.hint));
            if (!spot.highlight.empty()) {
                QLabel* lit = picture(t.form, spot.highlight);
                QVERIFY2(lit, spot.highlight.c_str());
                QCOMPARE(lit->geometry(), toQRect(spot.highlightBounds));
                QVERIFY(!lit->isVisibleTo(t.form));
                QVERIFY2(!lit->pixmap().isNull(), spot.highlight.c_str());
            }
        }
        const std::pair<const char*, dv::Rect> panels[] = {
            {"IEPanel", dv::layout::kIEPanel},
            {"Panel2", dv::layout::kPanel2},
            {"lbStatus", dv::layout::kStatusLabel},
            {"Panel1", dv::layout::kPanel1},
            {"pbDocument", dv::layout::kDocumentProgress},
        };
        for (const auto& [name, bounds] : panels) {
            auto* w = t.form->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(w, name);
            QCOMPARE(w->geometry(), toQRect(bounds));
        }
        QVERIFY(
            !t.form->findChild<QProgressBar*>(QStringLiteral("pbDocument"))->isVisibleTo(t.form));
        QCOMPARE(t.form->findChild<QLabel*>(QStringLiteral("IEPanel"))->text(),
                 QStringLiteral("Startar Datavinds CD..."));
        // The update browser's panel lies outside the client area.
        QVERIFY(!t.form->rect().intersects(
            t.form->findChild<QWidget*>(QStringLiteral("Panel1"))->geometry()));
    }

    void cornersAreHolesInTheShape() {
        MainWindowUnderTest t;
        const QRegion shape = t.form->mask();
        QVERIFY(!shape.isEmpty());
        for (const QPoint corner : {QPoint(0, 0), QPoint(799, 0), QPoint(0, 599), QPoint(799, 599)})
            QVERIFY2(!shape.contains(corner),
                     qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        for (const QPoint inside :
             {QPoint(400, 300), QPoint(20, 20), QPoint(400, 2), QPoint(2, 300)})
            QVERIFY(shape.contains(inside));
    }

    void hoverShowsHighlightAndTextLeaveClears() {
        MainWindowUnderTest t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form));
        const dv::HotSpotCatalog catalog("www.datavind.example");
        for (const dv::HotSpot& spot : catalog.all()) {
            if (!spot.reactsToHover())
                continue;
            auto* label = t.form->findChild<QWidget*>(QString::fromStdString(spot.name));
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), label->mapToGlobal(QPointF(1, 1)));
            QApplication::sendEvent(label, &enter);
            QCOMPARE(t.form->statusText(), QString::fromStdString(spot.statusText));
            QLabel* lit = spot.highlight.empty() ? nullptr : picture(t.form, spot.highlight);
            if (lit)
                QCOMPARE(lit->isVisible(), !spot.highlightNeedsTrack);

            t.form->statusLine().setStatusText("Någon annan skrev här");
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(label, &leave);
            QCOMPARE(t.form->statusText(), QString());
            if (lit)
                QVERIFY(!lit->isVisible());
        }
    }

    void pressOnControlsNeverDrags() {
        MainWindowUnderTest t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form));
        const QPoint start = t.form->pos();
        // A section label, a menu entry, the page panel and the status line.
        for (const QPoint at :
             {QPoint(388, 40), QPoint(262, 112), QPoint(400, 300), QPoint(300, 565)}) {
            dv::test::dragWindowAt(t.form, at, 40, 30);
            QCOMPARE(t.form->pos(), start);
        }
    }

    void pressOnBareBackgroundDrags() {
        MainWindowUnderTest t;
        t.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.form));
        const QPoint start = t.form->pos();
        QVERIFY(t.form->childAt(250, 60) == nullptr);
        dv::test::dragWindowAt(t.form, QPoint(250, 60), 40, 30);
        QTRY_COMPARE(t.form->pos(), start + QPoint(40, 30));
    }

    void startPageIsLoaded() {
        MainWindowUnderTest t;
        t.form->show();
        QSignalSpy loaded(&t.form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        QVERIFY(loaded.wait(30000));
        QCOMPARE(loaded.first().first().toBool(), true);
        QWebEngineView* view = t.form->browserHost().view();
        QVERIFY(view);
        QCOMPARE(view->url(),
                 QUrl::fromLocalFile(QStringLiteral(DATAVIND_SAMPLE_DISC "/docs/ettan/index.htm")));
        QCOMPARE(view->parentWidget()->objectName(), QStringLiteral("IEPanel"));
        QCOMPARE(view->geometry(),
                 QRect(0, 0, dv::layout::kIEPanel.width, dv::layout::kIEPanel.height));
        QVERIFY(t.boxes.shown.empty());
    }

    void oldEngineGivesTheMessageAndNoPage() {
        MainWindowUnderTest t([] { return std::optional<std::string>("4.7200"); });
        t.form->show();
        QSignalSpy done(t.form, &dv::qt::TForm1::startupDone);
        QVERIFY(done.wait(30000)); // the web engine starts slowly on a loaded machine
        QCOMPARE(t.boxes.shown.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(t.boxes.shown[0].text),
                 QStringLiteral("Kunde inte skapa IE"));
        QCOMPARE(QString::fromStdString(t.boxes.shown[0].caption), QStringLiteral("Datavinds cd"));
        QVERIFY(!t.form->browserHost().hasControl());
        QVERIFY(t.form->findChild<QWebEngineView*>() == nullptr);
        auto* panel = t.form->findChild<QLabel*>(QStringLiteral("IEPanel"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->text(), QStringLiteral("Startar Datavinds CD..."));
        // The hot-spots still explain themselves.
        auto* noje = t.form->findChild<QWidget*>(QStringLiteral("lbNoje"));
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), noje->mapToGlobal(QPointF(1, 1)));
        QApplication::sendEvent(noje, &enter);
        QCOMPARE(t.form->statusText(), QStringLiteral("Nöjesavdelningen"));
    }
};

DATAVIND_QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
