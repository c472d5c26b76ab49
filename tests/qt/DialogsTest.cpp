// The "more information" dialog and the "Vänta..." window on the real widgets.

#include "QtTestHelpers.h"
#include "browser/FileLauncher.h"
#include "browser/TExtraInfoForm.h"
#include "browser/TProgStartingForm.h"
#include "update/TAutoUpdateSettingsForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using dv::TExtraInfo;
using dv::test::CallLog;

namespace {

// Runs `act` once the dialog is up, from inside its modal loop.
void whenShown(QWidget& dialog, std::function<void()> act) {
    QTimer::singleShot(0, &dialog, [&dialog, act = std::move(act)] {
        QTRY_VERIFY(dialog.isVisible());
        act();
    });
}

template <typename T> T* child(QWidget& w, const char* name) {
    return w.findChild<T*>(QLatin1String(name));
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void extraInfoControlsLieAtTheirPlaces() {
        dv::qt::TExtraInfoForm form;
        QCOMPARE(form.size(), QSize(386, 217));
        QCOMPARE(form.windowTitle(), QStringLiteral("Datavinds cd - Mer information"));
        QCOMPARE(child<QLabel>(form, "lbInformation")->geometry(), QRect(8, 8, 369, 73));
        QVERIFY(child<QLabel>(form, "lbInformation")->wordWrap());
        auto* group = child<QGroupBox>(form, "gbMoreInfo");
        QCOMPARE(group->geometry(), QRect(8, 96, 369, 49));
        QCOMPARE(group->title(), QStringLiteral(" Mer information på nätet "));
        QCOMPARE(child<QLabel>(form, "lbURL")->pos(), QPoint(8, 20));
        QCOMPARE(child<QLabel>(form, "lbURL")->parentWidget(), group);
        QCOMPARE(child<QLabel>(form, "lbOpenNow")->pos(), QPoint(8, 160));
        QCOMPARE(child<QLabel>(form, "lbOpenNow")->text(),
                 QStringLiteral("Vill du gå vidare och starta det du klickade på nu?"));
        QCOMPARE(child<QPushButton>(form, "btYes")->geometry(), QRect(224, 184, 75, 23));
        QCOMPARE(child<QPushButton>(form, "btNo")->geometry(), QRect(304, 184, 75, 23));
    }

    void onlyJaStarts() {
        dv::qt::TExtraInfoForm form;
        const TExtraInfo note{"spel\\setup.sh", "Spelet kräver ett 3D-kort.", "http://www.a.example/", true};
        whenShown(form, [&] {
            QVERIFY(child<QGroupBox>(form, "gbMoreInfo")->isVisible());
            QVERIFY(child<QPushButton>(form, "btYes")->isVisible());
            QCOMPARE(child<QPushButton>(form, "btNo")->text(), QStringLiteral("Nej"));
            QCOMPARE(child<QLabel>(form, "lbURL")->text(), QStringLiteral("http://www.a.example/"));
            child<QPushButton>(form, "btYes")->click();
        });
        QVERIFY(form.askToStart(note));
        whenShown(form, [&] { child<QPushButton>(form, "btNo")->click(); });
        QVERIFY(!form.askToStart(note));
        whenShown(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); });
        QVERIFY(!form.askToStart(note));
        whenShown(form, [&] { form.close(); });
        QVERIFY(!form.askToStart(note));
    }

    void noteThatMayNotRunHasOnlyStang() {
        dv::qt::TExtraInfoForm form;
        const TExtraInfo note{"virus.sh", "Programmet är borttaget.", "", false};
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            whenShown(form, [&form, key] {
                QVERIFY(!child<QGroupBox>(form, "gbMoreInfo")->isVisible());
                QVERIFY(!child<QPushButton>(form, "btYes")->isVisible());
                QVERIFY(!child<QLabel>(form, "lbOpenNow")->isVisible());
                QCOMPARE(child<QPushButton>(form, "btNo")->text(), QStringLiteral("Stäng"));
                QTest::keyClick(&form, key);
            });
            QVERIFY(!form.askToStart(note));
        }
    }

    void addressOpensOnlyWebPagesAndKeepsTheDialog() {
        CallLog log;
        dv::test::FakeLauncher launcher(log);
        dv::test::FakeWaitingWindow waiting(log);
        dv::test::FakeMessageBoxes boxes(&log);
        dv::FileLauncher fileLauncher(launcher, waiting, boxes);
        dv::qt::TExtraInfoForm form;
        form.setLauncher(&fileLauncher);
        const char* addresses[] = {"https://www.a.example/info", "file:///etc/passwd",
                                   "/bin/sh -c date", "javascript:alert(1)", "http://"};
        for (const char* address : addresses) {
            const TExtraInfo note{"x", "Text", address, true};
            whenShown(form, [&] {
                QLabel* url = child<QLabel>(form, "lbURL");
                QTest::mouseClick(url, Qt::LeftButton, {}, QPoint(2, 2));
                QVERIFY(form.isVisible());
                form.reject();
            });
            form.askToStart(note);
        }
        QCOMPARE(log, (CallLog{"waiting:shown", "open:https://www.a.example/info|", "waiting:hidden"}));
    }

    void consentDialogControlsAndAnswers() {
        dv::qt::TAutoUpdateSettingsForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Automatisk uppdatering"));
        QCOMPARE(form.size(), QSize(408, 177));
        auto* yes = child<QRadioButton>(form, "rbYes");
        auto* no = child<QRadioButton>(form, "rbNo");
        auto* close = child<QPushButton>(form, "Button1");
        auto* noNo = child<QCheckBox>(form, "cbNoNo");
        QCOMPARE(yes->geometry(), QRect(8, 104, 153, 17));
        QCOMPARE(no->geometry(), QRect(8, 120, 65, 17));
        QCOMPARE(close->geometry(), QRect(325, 146, 75, 23));
        QCOMPARE(noNo->pos(), QPoint(8, 152));
        QCOMPARE(close->text(), QStringLiteral("Stäng"));
        QVERIFY(!yes->isChecked() && !no->isChecked() && !noNo->isChecked());
        QCOMPARE(yes->nextInFocusChain(), no);
        QCOMPARE(no->nextInFocusChain(), close);
        QCOMPARE(close->nextInFocusChain(), noNo);

        whenShown(form, [&] { no->click(); close->click(); });
        dv::ConsentAnswer a = form.ask();
        QCOMPARE(a.checkAtStart, std::optional<bool>(false));
        QVERIFY(!a.dontRemind);

        // Esc is the cancel result: no choice, but the reminder choice counts.
        whenShown(form, [&] { yes->click(); noNo->click(); QTest::keyClick(&form, Qt::Key_Escape); });
        a = form.ask();
        QCOMPARE(a.checkAtStart, std::nullopt);
        QVERIFY(a.dontRemind);
    }

    void waitingWindowSweepsWhileShown() {
        dv::qt::TProgStartingForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Vänta..."));
        QCOMPARE(form.size(), QSize(265, 74));
        QVERIFY(form.windowFlags().testFlag(Qt::Tool));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(child<QLabel>(form, "Label1")->pos(), QPoint(8, 8));
        QCOMPARE(child<QLabel>(form, "Label1")->text(),
                 QStringLiteral("Vänligen vänta, programmet eller länken du klickade på startas..."));
        auto* bar = child<QProgressBar>(form, "ProgressBar1");
        QCOMPARE(bar->geometry(), QRect(8, 40, 249, 17));
        bar->setValue(60);
        form.showWaiting();
        QVERIFY(form.isVisible());
        QVERIFY(bar->value() <= 1); // starts over at every showing
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= 3, 2000);
        form.hideWaiting();
        const int stopped = bar->value();
        QTest::qWait(400);
        QCOMPARE(bar->value(), stopped);
        bar->setValue(100);
        form.showWaiting();
        bar->setValue(100);
        QTRY_COMPARE_WITH_TIMEOUT(bar->value(), 0, 1000); // past the end it starts over
        form.hideWaiting();
    }
};

DATAVIND_QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
