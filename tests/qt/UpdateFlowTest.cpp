// The online update end to end: the question on a fresh settings folder, the
// answer kept after exit, the next start checking by itself, a quarantined
// link refused, every kind of message, and the end a message can ask for.
// The real update service runs on the loopback interface.

#include "QtTestHelpers.h"
#include "SharedLog.h"
#include "UpdateService.h"
#include "linux/LinuxVolumeInfo.h"
#include "qt/browser/QtBrowserHost.h"
#include "qt/update/QtSettingsStore.h"
#include "qt/update/TAutoUpdateSettingsForm.h"
#include "qt/update/UpdateChecker.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <thread>

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
    QTemporaryDir documents_;
    dv::test::SharedLog serviceLog_;
    std::ostream serviceOut_{&serviceLog_};
    std::unique_ptr<dv::UpdateService> service_;
    std::thread serving_;

    // Named by the id the program will send: the label of the disc folder's filesystem.
    QString documentName() const {
        return QString::fromStdString(
                   dv::LinuxVolumeInfo((disc_.path() + QLatin1Char('/')).toStdString())
                       .getDiscName()) +
               QStringLiteral(".xml");
    }

    void writeDocument(const QByteArray& text) {
        QFile f(documents_.filePath(documentName()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    // Writes the disc's document and waits until the running service says
    // it serves this version.
    void serveDocument(const QByteArray& text) {
        const std::string served = documentName().toStdString() + ": served, ";
        const int before = serviceLog_.count(served);
        writeDocument(text);
        QTRY_VERIFY_WITH_TIMEOUT(serviceLog_.count(served) > before, 10000);
    }

    void startService() {
        service_ =
            std::make_unique<dv::UpdateService>(documents_.path().toStdString(), serviceOut_);
        const int port = service_->bind("127.0.0.1", 0);
        QVERIFY(port > 0);
        serving_ = std::thread([this] { service_->run(); });
        qputenv("DATAVIND_UPDATE_URL", QStringLiteral("http://127.0.0.1:%1").arg(port).toUtf8());
    }

    void stopService() {
        if (!service_)
            return;
        service_->stop();
        serving_.join();
        service_.reset();
    }

    int requestsSoFar() {
        // Stopped, the service has written out every request: restart it afterwards.
        stopService();
        return serviceLog_.count("GET /dvcd/");
    }

    std::unique_ptr<MainWindowUnderTest> start() {
        auto t =
            std::make_unique<MainWindowUnderTest>(std::function<std::optional<std::string>()>{},
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
        writeDocument(kDocument);
        startService();
    }

    void cleanupTestCase() { stopService(); }

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
        QVERIFY(fresh);                                  // nothing was checked at first
        QCOMPARE(t->boxes.shown.size(), std::size_t{2}); // the quarantine notice and the message
        QCOMPARE(QString::fromStdString(t->boxes.shown[1].caption),
                 QStringLiteral("Datavinds cd - Hej"));

        // The quarantined program is refused with the warning and not started.
        t->form->IECommand(QStringLiteral("EXECUTE=<thisdir>\\program\\argrec.sh"));
        QCOMPARE(t->boxes.shown.size(), std::size_t{3});
        QCOMPARE(QString::fromStdString(t->boxes.shown[2].caption),
                 QStringLiteral("Datavinds cd - Karantän!"));

        // Nothing is stored before the program ends.
        QVERIFY(!QFile::exists(dv::qt::QtSettingsStore::fileName()));
        t.reset();
        QVERIFY(QFile::exists(dv::qt::QtSettingsStore::fileName()));
    }

    void nextStartChecksWithoutAsking() {
        const int before = requestsSoFar();
        QCOMPARE(before, 1);
        startService();
        auto t = start();
        waitForStatus(*t, QStringLiteral("Automatisk uppdatering klar..."));
        QVERIFY(!t->windows->autoUpdateSettings->isVisible());
        t.reset();
        QCOMPARE(requestsSoFar(), before + 1);
        startService();
    }

    void everyMessageKindAndTheEnd() {
        serveDocument(R"(<dvcd>
          <message><caption>I</caption><text>i</text><severity>INFORMATION</severity></message>
          <message><caption>W</caption><text>w</text><severity>Warning</severity></message>
          <message><caption>E</caption><text>e</text><severity>error</severity><cancontinue>0</cancontinue></message>
          <message><caption>X</caption><text>x</text><severity>EXTRAINFO</severity></message>
        </dvcd>)");
        auto t = start();
        bool noticeShown = false;
        QTimer closeNotice;
        connect(&closeNotice, &QTimer::timeout, this, [&] {
            auto* notice = t->windows->extraInfo.get();
            if (notice->isVisible()) {
                noticeShown = true;
                notice->reject();
            }
        });
        closeNotice.start(100);
        QTRY_VERIFY_WITH_TIMEOUT(!t->form->isVisible(), 20000); // cancontinue 0 ended the program
        QVERIFY(noticeShown);
        QCOMPARE(t->boxes.shown.size(), std::size_t{3});
        QVERIFY(t->boxes.shown[0].icon == dv::MessageIcon::Information);
        QVERIFY(t->boxes.shown[1].icon == dv::MessageIcon::Warning);
        QVERIFY(t->boxes.shown[2].icon == dv::MessageIcon::Error);
        serveDocument(kDocument);
    }

    void stoppedServiceFailsAndKeepsTheLists() {
        auto t = start();
        waitForStatus(*t, QStringLiteral("Automatisk uppdatering klar..."));
        QVERIFY(t->form->quarantine().Quarantined("x\\argrec.sh"));
        stopService();
        t->form->updateChecker().DoAutoUpdate();
        waitForStatus(*t, QStringLiteral("Automatisk uppdatering misslyckades!"));
        QVERIFY(t->form->quarantine().Quarantined("x\\argrec.sh"));
    }
};

DATAVIND_QTEST_MAIN(UpdateFlowTest)
#include "UpdateFlowTest.moc"
