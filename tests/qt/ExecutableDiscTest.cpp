// A disc that marks every file executable, as FAT and ISO 9660 without Rock
// Ridge do: only real programs start by themselves, documents go to the
// desktop's application.

#include "FakeDesktop.h"
#include "QtTestHelpers.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>

using dv::test::MainWindowUnderTest;

namespace {

constexpr QFile::Permissions kEveryoneRuns = QFile::ReadOwner | QFile::WriteOwner |
                                             QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                             QFile::ReadOther | QFile::ExeOther;

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    QVERIFY(f.setPermissions(kEveryoneRuns));
}

} // namespace

class ExecutableDiscTest : public QObject {
    Q_OBJECT

    QTemporaryDir disc_;
    QString record_;
    std::unique_ptr<MainWindowUnderTest> t_;

    QString onDisc(const QString& relative) { return disc_.filePath(relative); }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(disc_.isValid());
        write(onDisc(QStringLiteral("tillagg/lasmig.txt")), "Läs mig först.\n");
        write(onDisc(QStringLiteral("tillagg/tidning.pdf")), "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
        write(onDisc(QStringLiteral("tillagg/tom.txt")), "");
        QFile script(QStringLiteral(DATAVIND_SAMPLE_DISC "/program/argrec.sh"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        write(onDisc(QStringLiteral("program/argrec.sh")), script.readAll());
        QFile elf(QStringLiteral("/usr/bin/touch"));
        QVERIFY(elf.open(QIODevice::ReadOnly));
        write(onDisc(QStringLiteral("program/touch")), elf.readAll());
        record_ = onDisc(QStringLiteral("argrec.txt"));
        qputenv("DATAVIND_ARGREC", record_.toUtf8());
        t_ = std::make_unique<MainWindowUnderTest>(std::function<std::optional<std::string>()>{},
                                                   onDisc(QStringLiteral("datavind")));
    }

    void onlyProgramsStartByThemselves_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("opened"); // what the desktop was asked to open, if anything
        QTest::addColumn<QString>("made");   // a file a started program makes, if any
        QTest::newRow("text") << QStringLiteral("EXECUTE=<thisdir>\\tillagg\\lasmig.txt")
                              << QStringLiteral("tillagg/lasmig.txt") << QString();
        QTest::newRow("pdf") << QStringLiteral("EXECUTE=<thisdir>\\TILLAGG\\Tidning.pdf")
                             << QStringLiteral("tillagg/tidning.pdf") << QString();
        QTest::newRow("empty") << QStringLiteral("EXECUTE=<thisdir>\\tillagg\\tom.txt")
                               << QStringLiteral("tillagg/tom.txt") << QString();
        QTest::newRow("script") << QStringLiteral("EXECUTE=<thisdir>\\program\\argrec.sh ett")
                                << QString() << QStringLiteral("argrec.txt");
        QTest::newRow("elf") << QStringLiteral("EXECUTE=<thisdir>\\program\\touch <thisdir>/gjord")
                             << QString() << QStringLiteral("gjord");
    }

    void onlyProgramsStartByThemselves() {
        QFETCH(QString, command);
        QFETCH(QString, opened);
        QFETCH(QString, made);
        dv::test::FakeDesktop desktop;
        desktop.addProgram(QStringLiteral("xdg-open"));
        t_->boxes.shown.clear();
        t_->form->IECommand(command);
        if (!made.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(onDisc(made)), 10000);
        const QStringList expected =
            opened.isEmpty() ? QStringList()
                             : QStringList{QStringLiteral("xdg-open ") +
                                           QUrl::fromLocalFile(onDisc(opened)).toString()};
        QTRY_COMPARE_WITH_TIMEOUT(desktop.started(), expected, 10000);
        QVERIFY2(t_->boxes.shown.empty(),
                 t_->boxes.shown.empty() ? "" : t_->boxes.shown.front().text.c_str());
    }

    // A FIFO on the disc as a target is refused at once, with the reason in
    // Swedish; a link to a device leads out of the disc and is refused as a
    // missing file. Nothing waits on either and the desktop is not asked.
    void specialFilesAreNeitherProgramNorDocument() {
        QCOMPARE(mkfifo(QFile::encodeName(onDisc(QStringLiteral("program/ror"))).constData(), 0755),
                 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), onDisc(QStringLiteral("program/noll"))));
        const std::pair<const char*, QString> cases[] = {
            {"ror", QStringLiteral("Det här är varken ett program, ett dokument eller en mapp. (")},
            {"noll", QStringLiteral("Det går inte att hitta filen. (")},
        };
        for (const auto& [name, reason] : cases) {
            dv::test::FakeDesktop desktop;
            desktop.addProgram(QStringLiteral("xdg-open"));
            t_->boxes.shown.clear();
            const QString command =
                QStringLiteral("EXECUTE=<thisdir>\\program\\") + QLatin1String(name);
            t_->form->IECommand(command);
            QCOMPARE(t_->boxes.shown.size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(t_->boxes.shown[0].text),
                     reason + disc_.path() + QStringLiteral("\\program\\") + QLatin1String(name) +
                         QStringLiteral(")"));
            // A document opened after it is the desktop's first.
            t_->form->IECommand(QStringLiteral("EXECUTE=<thisdir>\\tillagg\\tom.txt"));
            QTRY_COMPARE_WITH_TIMEOUT(
                desktop.started(),
                QStringList{
                    QStringLiteral("xdg-open ") +
                    QUrl::fromLocalFile(onDisc(QStringLiteral("tillagg/tom.txt"))).toString()},
                10000);
        }
    }

    void cleanupTestCase() { t_.reset(); }
};

DATAVIND_QTEST_MAIN(ExecutableDiscTest)
#include "ExecutableDiscTest.moc"
