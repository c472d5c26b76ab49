// Whatever escapes an event handler is reported in a message box with its
// text, and the program keeps running.

#include "RecordingPorts.h"
#include "qt/app/DatavindApplication.h"
#include "qt/app/QtTranslations.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTemporaryDir>

#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

class Thrower : public QObject {
  public:
    int handled = 0;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            ++handled;
            throw std::runtime_error("Filen kunde inte öppnas");
        }
        return QObject::event(e);
    }
};

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void escapingErrorIsShownAndTheLoopGoesOn() {
        auto* app = static_cast<dv::qt::DatavindApplication*>(QCoreApplication::instance());
        dv::test::FakeMessageBoxes boxes;
        app->setErrorReport(&boxes);
        Thrower thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(thrower.handled, 2);
        QCOMPARE(boxes.shown.size(), std::size_t{2});
        QCOMPARE(QString::fromStdString(boxes.shown[0].text),
                 QStringLiteral("Filen kunde inte öppnas"));
        QCOMPARE(QString::fromStdString(boxes.shown[0].caption), QStringLiteral("Datavinds cd"));
        QVERIFY(boxes.shown[0].icon == dv::MessageIcon::Error);
        app->setErrorReport(nullptr);
    }

    // Qt's own texts are Swedish like the program's.
    void qtsOwnTextsAreSwedish() {
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                                 QDialogButtonBox::No | QDialogButtonBox::Save);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Avbryt"));
        QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(), QStringLiteral("&Ja"));
        QCOMPARE(buttons.button(QDialogButtonBox::No)->text(), QStringLiteral("&Nej"));
        QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Spara"));
        QFileDialog save;
        save.setAcceptMode(QFileDialog::AcceptSave);
        QCOMPARE(save.labelText(QFileDialog::Accept).remove(QLatin1Char('&')),
                 QStringLiteral("Spara"));
        QCOMPARE(save.labelText(QFileDialog::Reject), QStringLiteral("Avbryt"));
        QCOMPARE(save.labelText(QFileDialog::LookIn), QStringLiteral("Leta i:"));
        QCOMPARE(save.labelText(QFileDialog::FileName), QStringLiteral("Fil&namn:"));
        QCOMPARE(QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                     .arg(QStringLiteral("låt.mp3")),
                 QStringLiteral("låt.mp3 finns redan. \nVill du ersätta den?"));
    }

    // A disc that carries its libraries carries the catalogs beside the
    // program; those come first.
    void catalogsBesideTheProgramComeFirst() {
        QTemporaryDir disc;
        const QStringList folders = dv::qt::translationFolders(disc.path());
        QCOMPARE(folders.first(), disc.filePath(QStringLiteral("translations")));
        QCOMPARE(folders.last(), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        QVERIFY(QDir().mkpath(folders.first()));
        const QString beside = QDir(folders.first()).filePath(QStringLiteral("qt_sv.qm"));
        QVERIFY(QFile::copy(QDir(folders.last()).filePath(QStringLiteral("qt_sv.qm")), beside));
        const QStringList installed = dv::qt::installQtTranslations(folders);
        QVERIFY(!installed.isEmpty());
        QCOMPARE(installed.first(), beside);
        for (const QString& file : installed)
            QVERIFY2(file.endsWith(QStringLiteral("_sv.qm")), qPrintable(file));
    }
};

int main(int argc, char** argv) {
    dv::qt::DatavindApplication app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "ApplicationTest.moc"
