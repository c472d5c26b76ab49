// A message that may not be continued from, under the application's own
// event loop (QApplication::exec, as the program runs): every later box is
// still shown, in order, and the program ends after the last one. The boxes
// are the program's real ones, answered from a timer as a reader would.

#include "LinuxVolumeInfo.h"
#include "QtTestHelpers.h"
#include "UpdateService.h"
#include "app/QtMessageBoxes.h"
#include "update/UpdateChecker.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <sstream>
#include <thread>

class UpdateEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyBoxInOrderThenTheEnd() {
        QTemporaryDir documents;
        const QString id = QString::fromStdString(
            dv::LinuxVolumeInfo(QStringLiteral(DATAVIND_SAMPLE_DISC "/").toStdString()).getDiscName());
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
            answered << box->windowTitle() + (windows.form1->isVisible() ? QString() : QStringLiteral(" (ended)"));
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
        QTimer::singleShot(0, windows.form1.get(), [&] { windows.form1->updateChecker().DoAutoUpdate(); });

        QApplication::exec(); // returns when the program ends

        reader.stop();
        service.stop();
        serving.join();
        QVERIFY(!timedOut);
        QCOMPARE(answered, (QStringList{QStringLiteral("Datavinds cd - I"), QStringLiteral("Datavinds cd - E"),
                                        QStringLiteral("Datavinds cd - X"), QStringLiteral("Datavinds cd - W")}));
        QVERIFY(!windows.form1->isVisible());
        QCOMPARE(windows.form1->statusText(), QStringLiteral("Automatisk uppdatering klar..."));
    }
};

DATAVIND_QTEST_MAIN(UpdateEndTest)
#include "UpdateEndTest.moc"
