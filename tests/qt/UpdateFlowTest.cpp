// The online update end to end in one process: the question on a fresh
// settings folder, the answer kept after exit, the next start checking by
// itself, and a quarantined link refused. The service is a small HTTP server
// on the loopback interface.

#include "PageServer.h"
#include "QtTestHelpers.h"
#include "browser/QtBrowserHost.h"
#include "update/QtSettingsStore.h"
#include "update/TAutoUpdateSettingsForm.h"
#include "update/UpdateChecker.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

using dv::test::MainWindowUnderTest;

namespace {

const QByteArray kDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<dvcd>
  <quarantine><quarantined>argrec.sh</quarantined></quarantine>
  <message><caption>Hej</caption><text>Tack för att du läser Datavind!</text><severity>Information</severity></message>
</dvcd>)";

} // namespace

class UpdateFlowTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;
    QTemporaryDir disc_;
    std::unique_ptr<dv::test::PageServer> server_;

    std::unique_ptr<MainWindowUnderTest> start() {
        auto t = std::make_unique<MainWindowUnderTest>(std::function<std::optional<std::string>()>{},
                                                       disc_.filePath(QStringLiteral("datavind")));
        t->form->show();
        return t;
    }

    static void waitForStatus(MainWindowUnderTest& t, const QString& text) {
        QTRY_COMPARE_WITH_TIMEOUT(t.form->statusText(), text, 20000);
    }

private Q_SLOTS:
    void initTestCase() {
        // Before anything reads settings: they go to a folder of this test's own.
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        QDir().mkpath(disc_.filePath(QStringLiteral("docs/ettan")));
        QDir().mkpath(disc_.filePath(QStringLiteral("program")));
        QFile page(disc_.filePath(QStringLiteral("docs/ettan/index.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body>Start</body></html>");
        page.close();
        QVERIFY(QFile::copy(QStringLiteral(DATAVIND_SAMPLE_DISC "/program/argrec.sh"),
                            disc_.filePath(QStringLiteral("program/argrec.sh"))));
        server_ = std::make_unique<dv::test::PageServer>(kDocument);
        qputenv("DATAVIND_UPDATE_URL", server_->url().chopped(1).toUtf8());
    }

    void freshSettingsAskAndYesChecksNow() {
        QVERIFY(!QFile::exists(dv::qt::QtSettingsStore::fileName()));
        auto t = start();
        bool asked = false;
        bool fresh = false;
        auto* dialog = t->windows->autoUpdateSettings.get();
        // The question comes from inside the page's load: answer it from its own loop.
        QTimer answer;
        connect(&answer, &QTimer::timeout, dialog, [&] {
            if (asked || !dialog->isVisible())
                return;
            asked = true;
            fresh = !dialog->findChild<QRadioButton*>(QStringLiteral("rbYes"))->isChecked() &&
                    !dialog->findChild<QRadioButton*>(QStringLiteral("rbNo"))->isChecked();
            dialog->findChild<QRadioButton*>(QStringLiteral("rbYes"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        answer.start(100);
        waitForStatus(*t, QStringLiteral("Automatisk uppdatering klar..."));
        QVERIFY(asked);
        QVERIFY(fresh); // nothing was checked at first
        QVERIFY(server_->requests.last().startsWith(QStringLiteral("GET /dvcd/autoupdate.asp?discid=")));
        QCOMPARE(t->boxes.shown.size(), std::size_t{2}); // the quarantine notice and the message
        QCOMPARE(QString::fromStdString(t->boxes.shown[1].caption), QStringLiteral("Datavinds cd - Hej"));

        // The quarantined program is refused with the warning and not started.
        t->form->IECommand(QStringLiteral("EXECUTE=<thisdir>\\program\\argrec.sh"));
        QCOMPARE(t->boxes.shown.size(), std::size_t{3});
        QCOMPARE(QString::fromStdString(t->boxes.shown[2].caption), QStringLiteral("Datavinds cd - Karantän!"));

        // Nothing is stored before the program ends.
        QVERIFY(!QFile::exists(dv::qt::QtSettingsStore::fileName()));
        t.reset();
        QVERIFY(QFile::exists(dv::qt::QtSettingsStore::fileName()));
    }

    void nextStartChecksWithoutAsking() {
        const qsizetype before = server_->requests.size();
        auto t = start();
        waitForStatus(*t, QStringLiteral("Automatisk uppdatering klar..."));
        QVERIFY(!t->windows->autoUpdateSettings->isVisible());
        QCOMPARE(server_->requests.size(), before + 1);
    }

    void stoppedServiceFailsAndKeepsTheLists() {
        auto t = start();
        waitForStatus(*t, QStringLiteral("Automatisk uppdatering klar..."));
        QVERIFY(t->form->quarantine().Quarantined("x\\argrec.sh"));
        server_->close();
        t->form->updateChecker().DoAutoUpdate();
        waitForStatus(*t, QStringLiteral("Automatisk uppdatering misslyckades!"));
        QVERIFY(t->form->quarantine().Quarantined("x\\argrec.sh"));
    }
};

DATAVIND_QTEST_MAIN(UpdateFlowTest)
#include "UpdateFlowTest.moc"
