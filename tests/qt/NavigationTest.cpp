// The section hot-spots, the file search hot-spot and the hidden screen.

#include "QtTestHelpers.h"
#include "core/app/PublisherAddresses.h"
#include "core/shell/SectionNavigation.h"
#include "qt/browser/QtBrowserHost.h"
#include "qt/shell/TForm2.h"

#include <QLabel>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineView>

using dv::test::MainWindowUnderTest;

namespace {

void click(QWidget* form, const char* label) {
    auto* w = form->findChild<QWidget*>(QLatin1String(label));
    QVERIFY2(w, label);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2));
}

void hover(QWidget* form, const char* label) {
    auto* w = form->findChild<QWidget*>(QLatin1String(label));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &enter);
}

void unhover(QWidget* form, const char* label) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form->findChild<QWidget*>(QLatin1String(label)), &leave);
}

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowUnderTest> t_;

  private Q_SLOTS:
    void initTestCase() {
        t_ = std::make_unique<MainWindowUnderTest>();
        t_->form->show();
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        QVERIFY(loaded.wait(30000));
    }

    // Which hot-spot leads where is the core's table (SectionNavigation,
    // HotSpotDispatch); here a section, a top-menu page and the start page
    // show that a click reaches the browser with the core's address.
    void pageHotSpotsLoadTheCoresAddress() {
        const char* labels[] = {"lbNoje", "lbTMhjalp", "lbEttan"};
        for (const char* label : labels) {
            QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
            click(t_->form, label);
            QVERIFY2(loaded.wait(10000), label);
            QVERIFY2(loaded.first().first().toBool(), label);
            const auto expected = dv::sectionAddress(label, t_->form->discRoot());
            QCOMPARE(t_->form->browserHost().view()->url(),
                     QUrl::fromLocalFile(QString::fromStdString(*expected)));
        }
    }

    void startPageReloadsWhenShown() {
        click(t_->form, "lbEttan");
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        QVERIFY(loaded.wait(10000));
        click(t_->form, "lbEttan");
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.count(), 2);
    }

    void outsideSitesOpenInsideTheWindow() {
        for (const auto& [label, address] :
             {std::pair{"lbTMdatavind", dv::publisher::kMagazineHomePage},
              std::pair{"lbVelmora", dv::publisher::kMakerHomePage}}) {
            QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
            click(t_->form, label);
            QVERIFY(loaded.wait(20000)); // no network here: the engine's error page
            QCOMPARE(t_->form->browserHost().view()->url(), QUrl(QString::fromLatin1(address)));
        }
    }

    void fileSearchHotSpotShowsItsWindowWithoutBlocking() {
        QWidget* search = t_->windows->fileSearch.get();
        QVERIFY(!search->isVisible());
        click(t_->form, "lbTMfilsok");
        QVERIFY(search->isVisible());
        QVERIFY(!search->isModal());
        search->hide();
    }

    void sequenceOverTheStripOpensTheHiddenScreen() {
        dv::qt::TForm2* screen = t_->windows->form2.get();
        bool opened = false;
        QTimer::singleShot(0, screen, [&] {
            QTRY_VERIFY(screen->isVisible());
            opened = true;
            QCOMPARE(screen->palette().color(QPalette::Window), QColor(Qt::black));
            QVERIFY(screen->windowFlags().testFlag(Qt::FramelessWindowHint));
            // Let the film start, then click the black background.
            screen->Timer1Timer();
            screen->Timer1Timer();
            screen->Timer1Timer();
            QVERIFY(screen->findChild<QWidget*>(QStringLiteral("WinMediaPlayer1"))->isVisible());
            QTRY_COMPARE_WITH_TIMEOUT(screen->player()->playbackState(), QMediaPlayer::PlayingState,
                                      5000);
            QTest::mouseClick(screen, Qt::LeftButton, {}, QPoint(5, 5));
        });
        t_->form->setFocus();
        hover(t_->form, "Label1");
        QTest::keyClicks(t_->form, QStringLiteral("MAN"));
        unhover(t_->form, "Label1");
        QTest::keyClicks(t_->form, QStringLiteral("XY")); // not armed: the buffer keeps "MAN"
        hover(t_->form, "Label1");
        QTest::keyClicks(t_->form, QStringLiteral("GO")); // returns once the screen is closed
        QVERIFY(opened);
        QVERIFY(!screen->isVisible());
        QCOMPARE(screen->player()->playbackState(), QMediaPlayer::StoppedState);
        unhover(t_->form, "Label1");
    }

    void lowerCaseNeverOpensIt() {
        dv::qt::TForm2* screen = t_->windows->form2.get();
        bool opened = false;
        // Goes with the test: a check nobody's loop ran is dropped.
        QObject thisTest;
        QTimer::singleShot(0, &thisTest, [&] {
            if (screen->isVisible()) {
                opened = true;
                screen->close();
            }
        });
        hover(t_->form, "Label1");
        // The screen would open inside the key's handling, and its own loop
        // would run the check above before the keys return.
        QTest::keyClicks(t_->form, QStringLiteral("Xmango"));
        QVERIFY(!opened);
        QVERIFY(!screen->isVisible());
        unhover(t_->form, "Label1");
    }

    void withoutABrowserPageHotSpotsDoNothing() {
        MainWindowUnderTest broken([] { return std::optional<std::string>("4.0"); });
        broken.form->show();
        QSignalSpy done(broken.form, &dv::qt::TForm1::startupDone);
        QVERIFY(done.wait(30000)); // the web engine starts slowly on a loaded machine
        for (const char* label : {"lbNoje", "lbEttan", "lbTMdatavind", "lbVelmora", "lbTMhjalp"})
            click(broken.form, label);
        QVERIFY(broken.form->findChild<QWebEngineView*>() == nullptr);
        QCOMPARE(broken.boxes.shown.size(), std::size_t{1}); // only "Kunde inte skapa IE"
        click(broken.form, "lbTMfilsok");
        QVERIFY(broken.windows->fileSearch->isVisible());
    }

    void cleanupTestCase() { t_.reset(); }
};

DATAVIND_QTEST_MAIN(NavigationTest)
#include "NavigationTest.moc"
