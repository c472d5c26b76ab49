// The hot-spots by keyboard and as a screen reader reads them through Qt's
// accessibility interface of the real window.

#include "QtTestHelpers.h"
#include "core/shell/HotSpotAccess.h"
#include "core/shell/HotSpotCatalog.h"
#include "core/shell/SectionNavigation.h"
#include "qt/browser/QtBrowserHost.h"
#include "qt/shell/HotSpotLabel.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

using dv::test::MainWindowUnderTest;

namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* focused(QWidget* form) {
    return form->focusWidget();
}

QString focusedName(QWidget* form) {
    return focused(form) ? focused(form)->objectName() : QString();
}

// The window's accessible children that stand for hot-spots, by their control name.
QStringList hotSpotChildren(QAccessibleInterface* window) {
    QStringList names;
    const dv::HotSpotCatalog catalog("x");
    for (int i = 0; i < window->childCount(); ++i) {
        QObject* object = window->child(i)->object();
        if (object && catalog.find(object->objectName().toStdString()))
            names << object->objectName();
    }
    return names;
}

QAccessibleInterface* childNamed(QAccessibleInterface* window, const QString& name) {
    for (int i = 0; i < window->childCount(); ++i) {
        if (window->child(i)->object() && window->child(i)->object()->objectName() == name)
            return window->child(i);
    }
    return nullptr;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowUnderTest> t_;

    QStringList offeredTabStops() const {
        QStringList names;
        for (const dv::HotSpot* spot : t_->form->hotSpotFocus().offered()) {
            if (dv::HotSpotAccess::find(spot->name)->tabStop)
                names << QString::fromStdString(spot->name);
        }
        return names;
    }

  private Q_SLOTS:
    void initTestCase() {
        t_ = std::make_unique<MainWindowUnderTest>();
        t_->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t_->form));
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        QVERIFY(loaded.wait(30000));
        t_->form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t_->form));
    }

    void tabGoesThroughTheHotSpotsInReadingOrderThenThePageAndBack() {
        t_->form->setFocus();
        QVERIFY(t_->form->hasFocus());
        const QStringList order = offeredTabStops();
        QCOMPARE(order.first(), QStringLiteral("lbEttan"));
        QCOMPARE(order.last(), QStringLiteral("lbExit"));
        QVERIFY(!order.contains(QStringLiteral("Label1")));
        QVERIFY(!order.contains(QStringLiteral("lbTrackBar"))); // hidden while nothing plays
        for (const QString& name : order) {
            QTest::keyClick(focused(t_->form) ? focused(t_->form) : t_->form, Qt::Key_Tab);
            QCOMPARE(focusedName(t_->form), name);
        }
        // Past exit: the page.
        QTest::keyClick(focused(t_->form), Qt::Key_Tab);
        QWebEngineView* view = t_->form->browserHost().view();
        QTRY_VERIFY(view->hasFocus() || view->isAncestorOf(QApplication::focusWidget()));
        QVERIFY(t_->form->hotSpotFocus().focused() == nullptr);
        // Tab inside the page is the page's: from its last element it comes
        // back to the first hot-spot.
        const QVariant links = dv::test::evaluate(
            view->page(),
            QStringLiteral("(function() { const all = document.querySelectorAll('a[href]');"
                           " if (!all.length) return 0; all[all.length - 1].focus(); return "
                           "all.length; })()"));
        QVERIFY2(links.toInt() > 0, "the start page has links");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(focusedName(t_->form), QStringLiteral("lbEttan"));
        // Shift+Tab from the first hot-spot goes into the page, and from a
        // hot-spot to the one before.
        QTest::keyClick(focused(t_->form), Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_VERIFY(view->hasFocus() || view->isAncestorOf(QApplication::focusWidget()));
        t_->form->findChild<QWidget*>(QStringLiteral("lbExit"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused(t_->form), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusedName(t_->form), QStringLiteral("lbMinimize"));
    }

    void theFocusedHotSpotLightsUpAndExplainsItselfWithAMark() {
        auto* noje = t_->form->findChild<QWidget*>(QStringLiteral("lbNoje"));
        noje->setFocus(Qt::TabFocusReason);
        QVERIFY(noje->hasFocus());
        QCOMPARE(t_->form->statusText(), QStringLiteral("Nöjesavdelningen"));
        QVERIFY(t_->form->findChild<QLabel*>(QStringLiteral("imAktNoje"))->isVisible());
        // The mark: dotted black on the label's edge where the skin has none.
        const QImage marked = noje->grab().toImage();
        const QImage plain = [&] {
            t_->form->findChild<QWidget*>(QStringLiteral("lbNytta"))->setFocus(Qt::TabFocusReason);
            return noje->grab().toImage();
        }();
        QVERIFY(!t_->form->findChild<QLabel*>(QStringLiteral("imAktNoje"))->isVisible());
        QCOMPARE(t_->form->statusText(), QStringLiteral("Nyttoavdelningen"));
        int differing = 0;
        for (int x = 0; x < marked.width(); ++x)
            differing += marked.pixel(x, 0) != plain.pixel(x, 0) ? 1 : 0;
        QVERIFY2(differing > marked.width() / 4, qPrintable(QString::number(differing)));
    }

    void enterAndSpaceClick() {
        auto* search = t_->form->findChild<QWidget*>(QStringLiteral("lbTMfilsok"));
        search->setFocus(Qt::TabFocusReason);
        QTest::keyClick(search, Qt::Key_Return);
        QWidget* fileSearch = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("FileSearchForm"))
                fileSearch = w;
        }
        QVERIFY(fileSearch);
        QTRY_VERIFY(fileSearch->isVisible());
        fileSearch->hide();
        t_->form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t_->form));

        auto* noje = t_->form->findChild<QWidget*>(QStringLiteral("lbNoje"));
        noje->setFocus(Qt::TabFocusReason);
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        QTest::keyClick(noje, Qt::Key_Space);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(t_->form->browserHost().view()->url(),
                 QUrl::fromLocalFile(q(*dv::sectionAddress("lbNoje", t_->form->discRoot()))));
        QVERIFY(noje->hasFocus());
    }

    void theTreeOffersTheHotSpotsWithNamesRolesAndDescriptions() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(t_->form);
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QStringList expected;
        for (const dv::HotSpotAccessEntry& entry : dv::HotSpotAccess::table()) {
            if (entry.offered && entry.name != "lbTrackBar")
                expected << q(entry.name);
        }
        QCOMPARE(hotSpotChildren(window), expected);

        // Every offered hot-spot reads as the core's table says: this checks
        // the wiring, the texts themselves are the core's tests.
        for (const dv::HotSpotAccessEntry& entry : dv::HotSpotAccess::table()) {
            if (!entry.offered || entry.name == "lbTrackBar") // hidden while nothing plays
                continue;
            const QString label = q(entry.name);
            QAccessibleInterface* spot = childNamed(window, label);
            QVERIFY2(spot, qPrintable(label));
            QCOMPARE(spot->text(QAccessible::Name), q(entry.accessibleName));
            const dv::HotSpotRole role = dv::HotSpotAccess::roleOf(entry.action);
            QCOMPARE(spot->role(),
                     role == dv::HotSpotRole::Link ? QAccessible::Link : QAccessible::Button);
            const auto* drawn = qobject_cast<dv::qt::HotSpotLabel*>(spot->object());
            QVERIFY(drawn);
            QCOMPARE(spot->text(QAccessible::Description),
                     q(dv::HotSpotAccess::description(*drawn->spot())));
            QVERIFY(spot->state().focusable);
            QVERIFY(!spot->state().invisible);
            QCOMPARE(spot->state().linked, role == dv::HotSpotRole::Link);
            QAccessibleActionInterface* actions = spot->actionInterface();
            QVERIFY(actions);
            QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
            QCOMPARE(window->child(window->indexOfChild(spot))->object(), spot->object());
        }
        // The focused hot-spot says so.
        t_->form->findChild<QWidget*>(QStringLiteral("lbStop"))->setFocus(Qt::TabFocusReason);
        QVERIFY(childNamed(window, QStringLiteral("lbStop"))->state().focused);
        QVERIFY(!childNamed(window, QStringLiteral("lbPlay"))->state().focused);
        // The hidden screen's strip is never offered.
        QVERIFY(!childNamed(window, QStringLiteral("Label1")));

        // The status line is readable text that says what it is.
        QAccessibleInterface* status = QAccessible::queryAccessibleInterface(
            t_->form->findChild<QLabel*>(QStringLiteral("lbStatus")));
        QCOMPARE(status->role(), QAccessible::StaticText);
        QCOMPARE(status->text(QAccessible::Name), QStringLiteral("Stoppa uppspelningen"));
        QCOMPARE(status->text(QAccessible::Description), q(dv::HotSpotAccess::kStatusLineName));
        QAccessibleInterface* title = QAccessible::queryAccessibleInterface(
            t_->form->findChild<QLabel*>(QStringLiteral("lbSongNameWhite")));
        QCOMPARE(title->role(), QAccessible::StaticText);
        QCOMPARE(title->text(QAccessible::Description), q(dv::HotSpotAccess::kTitleLineName));
    }

    void aHiddenHotSpotIsNotOfferedUntilItShows() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(t_->form);
        auto* bar = t_->form->findChild<QWidget*>(QStringLiteral("lbTrackBar"));
        QVERIFY(!childNamed(window, QStringLiteral("lbTrackBar")));
        bar->show();
        QAccessibleInterface* slider = childNamed(window, QStringLiteral("lbTrackBar"));
        QVERIFY(slider);
        QCOMPARE(slider->role(), QAccessible::Slider);
        QCOMPARE(slider->text(QAccessible::Name), QStringLiteral("Hoppa i låten"));
        QVERIFY(!slider->state().focusable);
        QVERIFY(!slider->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        bar->hide();
        QVERIFY(!childNamed(window, QStringLiteral("lbTrackBar")));
    }

    void aSectionsDefaultActionOpensItsPage() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(t_->form);
        QAccessibleInterface* spot = childNamed(window, QStringLiteral("lbTMhjalp"));
        QVERIFY(spot);
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        spot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(loaded.wait(10000));
        QCOMPARE(t_->form->browserHost().view()->url(),
                 QUrl::fromLocalFile(q(*dv::sectionAddress("lbTMhjalp", t_->form->discRoot()))));
    }

    void cleanupTestCase() { t_.reset(); }
};

DATAVIND_QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
