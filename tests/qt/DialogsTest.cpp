// The Qt program draws the core's dialog models and wires their controls to
// them. What the models decide (places, texts, keys, which addresses open,
// the bar's sweep) is tested in the core's tables; here only that the
// widgets show it.

#include "QtTestHelpers.h"
#include "core/browser/ExtraInfoDialogModel.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfo.h"
#include "core/browser/WaitingWindowModel.h"
#include "core/update/ConsentDialogModel.h"
#include "qt/app/QtTextMeasure.h"
#include "qt/browser/TExtraInfoForm.h"
#include "qt/browser/TProgStartingForm.h"
#include "qt/update/TAutoUpdateSettingsForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using dv::TExtraInfo;
using dv::qt::toQRect;
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
    auto* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no %s", name);
    return c;
}

// The label's text, in the label's own font, fits the label.
bool showsWhole(QLabel& label) {
    const QRect needed = label.fontMetrics().boundingRect(
        QRect(0, 0, label.width(), 1 << 20), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
        label.text());
    return needed.width() <= label.width() && needed.height() <= label.height();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void extraInfoDrawsAndWiresTheModel() {
        using Model = dv::ExtraInfoDialogModel;
        CallLog log;
        dv::test::FakeLauncher launcher(log);
        dv::test::FakeWaitingWindow waiting(log);
        dv::test::FakeMessageBoxes boxes(&log);
        dv::FileLauncher fileLauncher(launcher, waiting, boxes);
        dv::qt::TExtraInfoForm form;
        form.setLauncher(&fileLauncher);
        const dv::qt::QtTextMeasure measure(form);

        struct Case {
            const char* what;
            TExtraInfo note;
        };
        const Case cases[] = {
            {"may run", {"x", "Spelet kräver ett 3D-kort.", "https://www.a.example/info", true}},
            {"may not run", {"x", "Programmet är borttaget.", "", false}},
            {"an address that is no web page", {"x", "Borttaget.", "file:///etc/passwd", false}},
            {"a long note", {"x", std::string(40, '\r') + "sista raden", "", true}},
        };
        for (const Case& c : cases) {
            const dv::ExtraInfoView view = Model::question(c.note);
            const dv::ExtraInfoLayout l = Model::layout(view, measure);
            whenShown(form, [&] {
                QCOMPARE(form.windowTitle(), QString::fromStdString(view.caption));
                QCOMPARE(form.size(), QSize(l.clientWidth, l.clientHeight));
                auto* label = child<QLabel>(form, "lbInformation");
                auto* field = child<QPlainTextEdit>(form, "ebInformation");
                QCOMPARE(label->isVisible(), !l.informationScrolls);
                QCOMPARE(field->isVisible(), l.informationScrolls);
                QCOMPARE((l.informationScrolls ? static_cast<QWidget*>(field) : label)->geometry(),
                         toQRect(l.lbInformation));
                QCOMPARE(l.informationScrolls ? field->toPlainText() : label->text(),
                         QString::fromStdString(view.information));
                if (!l.informationScrolls) {
                    QVERIFY2(showsWhole(*label), c.what);
                }
                auto* group = child<QGroupBox>(form, "gbMoreInfo");
                QCOMPARE(group->isVisible(), view.moreInfoVisible);
                QCOMPARE(group->geometry(), toQRect(l.gbMoreInfo));
                QCOMPARE(group->title(), QString::fromUtf8(Model::kMoreInfoTitle));
                QCOMPARE(child<QLabel>(form, "lbURL")->geometry(), toQRect(l.lbURL));
                QCOMPARE(child<QLabel>(form, "lbURL")->text(), QString::fromStdString(view.url));
                QCOMPARE(child<QLabel>(form, "lbURL")->textFormat(), Qt::PlainText);
                auto* openNow = child<QLabel>(form, "lbOpenNow");
                QCOMPARE(openNow->isVisible(), view.openNowVisible);
                QCOMPARE(openNow->geometry(), toQRect(l.lbOpenNow));
                QCOMPARE(openNow->text(), QString::fromUtf8(Model::kOpenNow));
                auto* yes = child<QPushButton>(form, "btYes");
                auto* no = child<QPushButton>(form, "btNo");
                QCOMPARE(yes->isVisible(), view.yesVisible);
                QCOMPARE(yes->geometry(), toQRect(l.btYes));
                QCOMPARE(no->geometry(), toQRect(l.btNo));
                QCOMPARE(no->text(), QString::fromStdString(view.noText));
                QCOMPARE(yes->isDefault(), view.defaultButton == dv::ExtraInfoView::Button::Yes);
                QCOMPARE(no->isDefault(), view.defaultButton == dv::ExtraInfoView::Button::No);
                // The address is wired to the model's rule: only a web page opens, the dialog
                // stays.
                if (view.moreInfoVisible) {
                    log.clear();
                    QTest::mouseClick(child<QLabel>(form, "lbURL"), Qt::LeftButton, {},
                                      QPoint(2, 2));
                    QVERIFY(form.isVisible());
                    const CallLog opened{"waiting:shown", "open:" + c.note.Url + "|",
                                         "waiting:hidden"};
                    QCOMPARE(log, Model::addressToOpen(view.url) ? opened : CallLog{});
                }
                // Enter goes to the model: the default button answers.
                QTest::keyClick(&form, Qt::Key_Return);
            });
            QCOMPARE(form.askToStart(c.note), c.note.CanRun);
        }
        // The buttons, Esc and the close box.
        whenShown(form, [&] { child<QPushButton>(form, "btNo")->click(); });
        QVERIFY(!form.askToStart(cases[0].note));
        whenShown(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); });
        QVERIFY(!form.askToStart(cases[0].note));
        whenShown(form, [&] { form.close(); });
        QVERIFY(!form.askToStart(cases[0].note));
        whenShown(form, [&] {
            QCOMPARE(form.windowTitle(), QStringLiteral("Datavinds cd - Meddelande"));
            QVERIFY(!child<QPushButton>(form, "btYes")->isVisible());
            child<QPushButton>(form, "btNo")->click();
        });
        form.showNotice(cases[0].note, "Datavinds cd - Meddelande");
    }

    void consentDialogDrawsAndWiresTheModel() {
        using Model = dv::ConsentDialogModel;
        dv::qt::TAutoUpdateSettingsForm form;
        const dv::ConsentDialogLayout l = Model::layout(dv::qt::QtTextMeasure(form));
        QCOMPARE(form.windowTitle(), QString::fromUtf8(Model::kCaption));
        QCOMPARE(form.size(), QSize(l.clientWidth, l.clientHeight));
        auto* intro = child<QLabel>(form, "Label1");
        auto* question = child<QLabel>(form, "Label2");
        auto* yes = child<QRadioButton>(form, "rbYes");
        auto* no = child<QRadioButton>(form, "rbNo");
        auto* close = child<QPushButton>(form, "Button1");
        auto* noNo = child<QCheckBox>(form, "cbNoNo");
        QCOMPARE(intro->geometry(), toQRect(l.Label1));
        QCOMPARE(question->geometry(), toQRect(l.Label2));
        QCOMPARE(yes->geometry(), toQRect(l.rbYes));
        QCOMPARE(no->geometry(), toQRect(l.rbNo));
        QCOMPARE(close->geometry(), toQRect(l.Button1));
        QCOMPARE(noNo->geometry(), toQRect(l.cbNoNo));
        QCOMPARE(intro->text(), QString::fromUtf8(Model::kIntro));
        QCOMPARE(question->text(), QString::fromUtf8(Model::kQuestion));
        QCOMPARE(yes->text(), QString::fromUtf8(Model::kYes));
        QCOMPARE(no->text(), QString::fromUtf8(Model::kNo));
        QCOMPARE(close->text(), QString::fromUtf8(Model::kClose));
        QCOMPARE(noNo->text(), QString::fromUtf8(Model::kDontRemind));
        // In this font too the paragraph keeps its last line.
        QVERIFY(showsWhole(*intro));
        QVERIFY(showsWhole(*question));
        QVERIFY(!yes->isChecked() && !no->isChecked() && !noNo->isChecked());
        QCOMPARE(yes->nextInFocusChain(), no);
        QCOMPARE(no->nextInFocusChain(), close);
        QCOMPARE(close->nextInFocusChain(), noNo);

        // Enter away from "Stäng" leaves it open; on "Stäng" it closes with the choice.
        whenShown(form, [&] {
            no->click();
            yes->setFocus();
            QTest::keyClick(yes, Qt::Key_Return);
            QVERIFY(form.isVisible());
            close->setFocus();
            QTest::keyClick(close, Qt::Key_Return);
        });
        dv::ConsentAnswer a = form.ask();
        QCOMPARE(a.checkAtStart, std::optional<bool>(false));
        QVERIFY(!a.dontRemind);
        // Esc: no choice, but the reminder choice counts.
        whenShown(form, [&] {
            yes->click();
            noNo->click();
            QTest::keyClick(&form, Qt::Key_Escape);
        });
        a = form.ask();
        QCOMPARE(a.checkAtStart, std::nullopt);
        QVERIFY(a.dontRemind);
        whenShown(form, [&] { close->click(); });
        a = form.ask();
        QCOMPARE(a.checkAtStart, std::optional<bool>(true));
    }

    void waitingWindowDrawsAndWiresTheModel() {
        using Model = dv::WaitingWindowModel;
        dv::qt::TProgStartingForm form;
        const dv::WaitingWindowLayout l = Model::layout(dv::qt::QtTextMeasure(form));
        QCOMPARE(form.windowTitle(), QString::fromUtf8(Model::kCaption));
        QCOMPARE(form.size(), QSize(l.clientWidth, l.clientHeight));
        QVERIFY(form.windowFlags().testFlag(Qt::Tool));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        auto* label = child<QLabel>(form, "Label1");
        QCOMPARE(label->geometry(), toQRect(l.Label1));
        QCOMPARE(label->text(), QString::fromUtf8(Model::kText));
        QVERIFY(showsWhole(*label));
        auto* bar = child<QProgressBar>(form, "ProgressBar1");
        auto* timer = child<QTimer>(form, "Timer1");
        QCOMPARE(bar->geometry(), toQRect(l.ProgressBar1));
        QCOMPARE(bar->minimum(), Model::kMinimum);
        QCOMPARE(bar->maximum(), Model::kMaximum);
        QCOMPARE(timer->interval(), Model::kTickMs);

        bar->setValue(60);
        form.showWaiting();
        QVERIFY(form.isVisible());
        QVERIFY(bar->value() <= Model::positionWhenShown() + 1); // starts over at every showing
        QTRY_VERIFY_WITH_TIMEOUT(bar->value() >= 3, 2000);
        bar->setValue(Model::kMaximum);
        QTRY_COMPARE_WITH_TIMEOUT(bar->value(), Model::nextPosition(Model::kMaximum), 1000);
        form.hideWaiting();
        QVERIFY(!timer->isActive()); // hidden, the bar stands still
    }
};

DATAVIND_QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
