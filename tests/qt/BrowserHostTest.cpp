// The main browser's events reaching the status line and the progress bar.

#include "QtTestHelpers.h"
#include "qt/browser/QtBrowserHost.h"

#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

using dv::test::MainWindowUnderTest;

namespace {

struct VisibilityLog : QObject {
    int shown = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show)
            ++shown;
        return false;
    }
};

} // namespace

class BrowserHostTest : public QObject {
    Q_OBJECT

    static void waitForStartPage(MainWindowUnderTest& t) {
        QSignalSpy loaded(&t.form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        QVERIFY(loaded.wait(30000));
    }

  private Q_SLOTS:
    void hoveredLinksFollowTheStatusTextRule() {
        MainWindowUnderTest t;
        t.form->show();
        waitForStartPage(t);
        QWebEnginePage* page = t.form->browserHost().view()->page();
        struct Step {
            const char* hovered;
            const char* expected;
        };
        const Step steps[] = {
            {"http://www.datavind.example/", "http://www.datavind.example/"},
            {"file:///cd/docs/noje/index.htm", "http://www.datavind.example/"},
            {"command:EXECUTE=%3Cthisdir%3E%5Cprogram%5Csetup.exe", "http://www.datavind.example/"},
            {"", ""},
            {"COMMAND:QUIT", "COMMAND:QUIT"},
        };
        for (const Step& s : steps) {
            Q_EMIT page->linkHovered(QString::fromUtf8(s.hovered));
            QCOMPARE(t.form->statusText(), QString::fromUtf8(s.expected));
        }
    }

    void progressBarShowsWhileLoadingAndHidesAfter() {
        MainWindowUnderTest t;
        t.form->show();
        auto* bar = t.form->findChild<QProgressBar*>(QStringLiteral("pbDocument"));
        VisibilityLog log;
        bar->installEventFilter(&log);
        QSignalSpy loaded(&t.form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        QVERIFY(loaded.wait(30000));
        // The bar came up while the page loaded and is gone now that it is in.
        QVERIFY(log.shown > 0);
        QVERIFY(!bar->isVisible());
        QCOMPARE(bar->maximum(), 100);
    }

    void navigateOpensFilePathsAndWebAddresses() {
        MainWindowUnderTest t;
        t.form->show();
        waitForStartPage(t);
        QSignalSpy loaded(&t.form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        const std::string noje = t.form->discRoot() + "docs/noje/index.htm";
        t.form->browserHost().navigate(noje);
        QVERIFY(loaded.wait(30000));
        QCOMPARE(t.form->browserHost().view()->url(),
                 QUrl::fromLocalFile(QString::fromStdString(noje)));
        QCOMPARE(t.form->browserHost().view()->title(), QStringLiteral("Nöje – Datavind cd"));
    }
};

DATAVIND_QTEST_MAIN(BrowserHostTest)
#include "BrowserHostTest.moc"
