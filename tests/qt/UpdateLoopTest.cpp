// The online update under the application's own event loop
// (QApplication::exec, as the program runs). A message that may not be
// continued from: every later box is still shown, in order, and the program
// ends after the last one; the boxes are the program's real ones, answered
// from a timer as a reader would. And a large document is parsed while the
// window goes on handling its events.

#include "QtTestHelpers.h"
#include "RawHttpServer.h"
#include "UpdateService.h"
#include "linux/LinuxVolumeInfo.h"
#include "qt/app/QtMessageBoxes.h"
#include "qt/update/UpdateChecker.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <sstream>
#include <thread>

class UpdateLoopTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyBoxInOrderThenTheEnd() {
        QTemporaryDir documents;
        const QString id = QString::fromStdString(
            dv::LinuxVolumeInfo(QStringLiteral(DATAVIND_SAMPLE_DISC "/").toStdString())
                .getDiscName());
        QFile document(documents.filePath(id + QStringLiteral(".xml")));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write(R"(<dvcd>
          <message><caption>I</caption><text>i</text><severity>INFORMATION</severity></message>
          <message><caption>E</caption><text>e</text><severity>ERROR</severity><cancontinue>0</cancontinue></message>
          <message><caption>X</caption><text>x</text><severity>EXTRAINFO</severity></message>
          <message><caption>W</caption><text>w</text><severity>WARNING</severity></message>
        </dvcd>)");
        document.close();
        std::ostringstream log;
        dv::UpdateService service(documents.path().toStdString(), log);
        const int port = service.bind("127.0.0.1", 0);
        QVERIFY(port > 0);
        std::thread serving([&service] { service.run(); });
        qputenv("DATAVIND_UPDATE_URL", QStringLiteral("http://127.0.0.1:%1").arg(port).toUtf8());

        dv::qt::QtMessageBoxes boxes;
        dv::qt::DiscWindows windows({&boxes, dv::test::sampleDiscExecutable(), {}, nullptr});
        boxes.setOwner(windows.form1.get());
        windows.form1->show();

        // The reader: answers each box once it is up, noting its title and
        // whether the program was still there.
        QStringList answered;
        QTimer reader;
        connect(&reader, &QTimer::timeout, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->isVisible())
                return;
            answered << box->windowTitle() +
                            (windows.form1->isVisible() ? QString() : QStringLiteral(" (ended)"));
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                if (button->isVisible() && (button->text() == QStringLiteral("OK") ||
                                            button->text() == QStringLiteral("Stäng"))) {
                    button->click();
                    return;
                }
            answered << QStringLiteral("no button to answer with");
        });
        reader.start(100);
        bool timedOut = false;
        QTimer::singleShot(60000, qApp, [&] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        QTimer::singleShot(0, windows.form1.get(),
                           [&] { windows.form1->updateChecker().DoAutoUpdate(); });

        QApplication::exec(); // returns when the program ends

        reader.stop();
        service.stop();
        serving.join();
        QVERIFY(!timedOut);
        QCOMPARE(
            answered,
            (QStringList{QStringLiteral("Datavinds cd - I"), QStringLiteral("Datavinds cd - E"),
                         QStringLiteral("Datavinds cd - X"), QStringLiteral("Datavinds cd - W")}));
        QVERIFY(!windows.form1->isVisible());
        QCOMPARE(windows.form1->statusText(), QStringLiteral("Automatisk uppdatering klar..."));
    }

    void aLargeDocumentIsParsedWhileTheWindowGoesOn() {
        // Close to 1 MiB of quarantine entries, as many as the markup bound
        // lets through and long: longer to parse than a frame.
        std::string document = "<dvcd><quarantine>";
        for (int i = 0; i < 7000; ++i)
            document += "<quarantined>p" + std::to_string(i) + (i ? std::string(100, 'q') : "") +
                        "</quarantined>";
        document += "</quarantine></dvcd>";
        dv::test::RawHttpServer server([&document](dv::test::RawHttpServer& s, int socket) {
            s.send(socket, "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " +
                               std::to_string(document.size()) + "\r\nConnection: close\r\n\r\n" +
                               document);
        });
        qputenv("DATAVIND_UPDATE_URL", QByteArray::fromStdString(server.url()));
        dv::test::FakeMessageBoxes boxes;
        dv::qt::DiscWindows windows({&boxes, dv::test::sampleDiscExecutable(), {}, nullptr});
        qunsetenv("DATAVIND_UPDATE_URL");

        // Ticks of the window's own loop that find the answer in but not yet
        // processed: with the parse on this thread there are none.
        int ticksWhileReading = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            if (windows.form1->statusText() == QStringLiteral("Uppdateringarna inlästa..."))
                ++ticksWhileReading;
        });
        ticker.start(1);
        QTimer::singleShot(0, windows.form1.get(),
                           [&] { windows.form1->updateChecker().DoAutoUpdate(); });
        connect(&windows.form1->updateChecker(), &dv::qt::UpdateChecker::answerProcessed, qApp,
                &QCoreApplication::quit);
        QTimer::singleShot(60000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        ticker.stop();

        QCOMPARE(windows.form1->statusText(), QStringLiteral("Automatisk uppdatering klar..."));
        QVERIFY(windows.form1->quarantine().Quarantined("x\\p0.exe"));
        QVERIFY2(ticksWhileReading > 0, "the window stood still while the document was parsed");
        QCOMPARE(boxes.shown.size(), std::size_t{1}); // the quarantine notice
    }
};

DATAVIND_QTEST_MAIN(UpdateLoopTest)
#include "UpdateLoopTest.moc"
