// Command links in real pages of a real disc folder: what starts, what is
// refused, and what the browser still does as a browser.

#include "FakeDesktop.h"
#include "PageServer.h"
#include "QtTestHelpers.h"
#include "core/browser/CommandLinkFilter.h"
#include "qt/browser/QtBrowserHost.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>

using dv::test::evaluate;
using dv::test::MainWindowUnderTest;

namespace {

const char* kPage =
    R"(<!DOCTYPE html><html><head><meta charset="utf-8"><title>Test</title></head><body>
<a id="run" href="COMMAND:ExEcUtE=<ThisDir>\program\argrec.sh 'ett två tre'">kör</a>
<a id="switches" href="command:EXECUTE=<thisdir>\PROGRAM\ARGREC.SH -a -b">växlar</a>
<a id="unknown" href="COMMAND:FORMATERA=C:">okänd</a>
<a id="plain" href="other.htm">vanlig</a>
<a id="document" href="COMMAND:EXECUTE=<thisdir>\tillagg\kallkod.txt">källkod</a>
<a id="count" href="COMMAND:EXECUTE=<thisdir>\program\count.sh skript">räkna</a>
<input id="field" type="text" autofocus>
</body></html>)";

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Counts the window-state changes a window is told of.
class StateChanges : public QObject {
  public:
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange)
            ++count;
        return false;
    }
};

} // namespace

class CommandLinkTest : public QObject {
    Q_OBJECT

    QTemporaryDir mounts_;
    // Where a desktop mounts a disc labelled "DV 12 2004" for a reader whose
    // name holds letters beyond ASCII.
    struct Disc {
        QString root;
        QString filePath(const QString& relative) const {
            return root + QLatin1Char('/') + relative;
        }
        QString path() const { return root; }
    } disc_;
    QString record_;
    QString count_;
    std::unique_ptr<MainWindowUnderTest> t_;

    QWebEngineView* view() { return t_->form->browserHost().view(); }

    void loadPage(const QString& address) {
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        t_->form->browserHost().navigate(address.toStdString());
        QVERIFY(loaded.wait(30000));
    }

    void click(const char* id) {
        evaluate(view()->page(),
                 QStringLiteral("document.getElementById('%1').click()").arg(QLatin1String(id)));
    }

    // The reader's own click, at the middle of the element.
    void clickReally(const char* id) {
        const QVariantList at =
            evaluate(view()->page(),
                     QStringLiteral("(function(){ const r = document.getElementById('%1')"
                                    ".getBoundingClientRect(); return [r.left + r.width / 2,"
                                    " r.top + r.height / 2]; })()")
                         .arg(QLatin1String(id)))
                .toList();
        QCOMPARE(at.size(), 2);
        QTest::mouseClick(view()->focusProxy(), Qt::LeftButton, {},
                          QPoint(at[0].toInt(), at[1].toInt()));
    }

    QStringList counted() {
        QFile f(count_);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QStringList recorded() {
        QFile f(record_);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(mounts_.isValid());
        disc_.root = mounts_.filePath(QStringLiteral("läsare/DV 12 2004"));
        QVERIFY(QDir().mkpath(disc_.root));
        write(disc_.filePath(QStringLiteral("tillagg/kallkod.txt")), "källkod\n");
        write(disc_.filePath(QStringLiteral("docs/test/index.htm")), kPage);
        write(disc_.filePath(QStringLiteral("docs/test/other.htm")),
              "<html><body>annan</body></html>");
        QDir().mkpath(disc_.filePath(QStringLiteral("program")));
        QVERIFY(QFile::copy(QStringLiteral(DATAVIND_SAMPLE_DISC "/program/argrec.sh"),
                            disc_.filePath(QStringLiteral("program/argrec.sh"))));
        write(disc_.filePath(QStringLiteral("program/count.sh")),
              "#!/bin/sh\necho \"$1\" >> \"$DATAVIND_COUNT\"\n");
        QFile::setPermissions(disc_.filePath(QStringLiteral("program/count.sh")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                  QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                  QFile::ExeGroup);
        count_ = disc_.filePath(QStringLiteral("count.txt"));
        qputenv("DATAVIND_COUNT", count_.toUtf8());
        record_ = disc_.filePath(QStringLiteral("argrec.txt"));
        qputenv("DATAVIND_ARGREC", record_.toUtf8());
        t_ = std::make_unique<MainWindowUnderTest>(std::function<std::optional<std::string>()>{},
                                                   disc_.filePath(QStringLiteral("datavind")));
        t_->form->show();
        QSignalSpy done(t_->form, &dv::qt::TForm1::startupDone);
        QVERIFY(done.wait(30000)); // the web engine starts slowly on a loaded machine
    }

    void init() {
        QFile::remove(record_);
        loadPage(disc_.filePath(QStringLiteral("docs/test/index.htm")));
    }

    void linkStartsTheProgramWithItsArguments() {
        clickReally("run");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record_), 10000);
        const QStringList lines = recorded();
        QCOMPARE(lines.mid(1), (QStringList{QStringLiteral("arg=ett"), QStringLiteral("arg=två"),
                                            QStringLiteral("arg=tre")}));
        QCOMPARE(lines.first(), QStringLiteral("cwd=") + QDir::currentPath());
        QCOMPARE(view()->url().fileName(), QStringLiteral("index.htm"));
        QVERIFY(t_->boxes.shown.empty());
    }

    void theReadersClickStartsTheProgram() {
        clickReally("run");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record_), 10000);
        QCOMPARE(recorded().mid(1),
                 (QStringList{QStringLiteral("arg=ett"), QStringLiteral("arg=två"),
                              QStringLiteral("arg=tre")}));
        QCOMPARE(view()->url().fileName(), QStringLiteral("index.htm"));
    }

    // A script that clicks a hidden command link a thousand times starts its
    // program once; the reader's click after it still starts the program.
    void aScriptsBurstOfClicksStartsOneProgram() {
        QFile::remove(count_);
        evaluate(view()->page(), QStringLiteral("for (let i = 0; i < 1000; i++) "
                                                "document.getElementById('count').click()"));
        QTRY_VERIFY_WITH_TIMEOUT(!counted().isEmpty(), 10000);
        // Every command taken runs in turn: once the reader's has run, so has
        // any the script got through.
        t_->form->IECommand(QStringLiteral("EXECUTE=<thisdir>\\program\\count.sh läsaren"));
        QTRY_VERIFY_WITH_TIMEOUT(counted().contains(QStringLiteral("läsaren")), 10000);
        QCOMPARE(counted().count(QStringLiteral("skript")), 1);
    }

    void discNamesMatchWithoutRegardToCase() {
        clickReally("switches");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record_), 10000);
        QCOMPARE(recorded().mid(1),
                 (QStringList{QStringLiteral("arg=-a"), QStringLiteral("arg=-b")}));
    }

    void unknownVerbNeitherRunsNorNavigates() {
        QSignalSpy taken(&t_->form->browserHost(), &dv::qt::QtBrowserHost::commandLink);
        click("unknown");
        QTRY_COMPARE_WITH_TIMEOUT(taken.count(), 1, 10000);
        QCOMPARE(taken.first().first().toString(), QStringLiteral("FORMATERA=C:"));
        // Commands run in turn: once the next one has run, the unknown one
        // has had its turn.
        QFile::remove(count_);
        t_->form->IECommand(QStringLiteral("EXECUTE=<thisdir>\\program\\count.sh efter"));
        QTRY_VERIFY_WITH_TIMEOUT(counted().contains(QStringLiteral("efter")), 10000);
        QCOMPARE(view()->url().fileName(), QStringLiteral("index.htm"));
        QVERIFY(!QFile::exists(record_));
        QVERIFY(t_->boxes.shown.empty());
    }

    void ordinaryLinkNavigates() {
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        click("plain");
        QVERIFY(loaded.wait(10000));
        QCOMPARE(view()->url().fileName(), QStringLiteral("other.htm"));
    }

    // A stray percent sign changes nothing else in a link: the program gets
    // what the core's decoder reads in the link as written, from the main
    // page and from a frame.
    void linkTextReachesTheDecoderAsWritten_data() {
        QTest::addColumn<QString>("written"); // the link's parameters as the page writes them
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("a%zzb") << QStringLiteral("a%zzb") << QStringList{QStringLiteral("ab")};
        QTest::newRow("t%4") << QStringLiteral("t%4") << QStringList{QStringLiteral("t\x04")};
        QTest::newRow("u%") << QStringLiteral("u%") << QStringList{QStringLiteral("u")};
        QTest::newRow("v%20w%zz") << QStringLiteral("v%20w%zz")
                                  << QStringList{QStringLiteral("v"), QStringLiteral("w")};
        QTest::newRow("plus") << QStringLiteral("x+y")
                              << QStringList{QStringLiteral("x"), QStringLiteral("y")};
        QTest::newRow("utf-8") << QStringLiteral("sn%C3%B6+%C3%A5")
                               << QStringList{QStringLiteral("snö"), QStringLiteral("å")};
        QTest::newRow("windows-1252")
            << QStringLiteral("sn%F6") << QStringList{QStringLiteral("snö")};
        QTest::newRow("as typed") << QStringLiteral("snö%21")
                                  << QStringList{QStringLiteral("snö!")};
    }

    void linkTextReachesTheDecoderAsWritten() {
        QFETCH(QString, written);
        QFETCH(QStringList, arguments);
        const QString href =
            QStringLiteral("COMMAND:EXECUTE=<thisdir>\\program\\argrec.sh ") + written;
        const dv::NavigationDecision core =
            dv::beforeNavigate(dv::writtenLinkAddress(href.toStdString()), true);
        QVERIFY(core.command);
        const QString command = QString::fromStdString(*core.command);
        QCOMPARE(QProcess::splitCommand(command.mid(command.indexOf(QLatin1Char(' ')) + 1)),
                 arguments);

        QStringList expected;
        for (const QString& a : arguments)
            expected << QStringLiteral("arg=") + a;
        write(
            disc_.filePath(QStringLiteral("docs/test/percent.htm")),
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body><a id=\"l\" href=\"" +
                href.toUtf8() + "\">länk</a></body></html>");
        write(disc_.filePath(QStringLiteral("docs/test/percentframe.htm")),
              "<!DOCTYPE html><html><body><iframe src=\"percent.htm\"></iframe></body></html>");
        for (const char* page : {"percent.htm", "percentframe.htm"}) {
            QFile::remove(record_);
            loadPage(disc_.filePath(QStringLiteral("docs/test/") + QLatin1String(page)));
            const bool framed = QLatin1String(page) == QLatin1String("percentframe.htm");
            // The reader clicks the link, in the frame or on the page.
            const QVariantList at =
                evaluate(view()->page(),
                         framed ? QStringLiteral(
                                      "(function(){ const f = document.querySelector('iframe')"
                                      ".getBoundingClientRect(); const r = frames[0].document"
                                      ".getElementById('l').getBoundingClientRect(); return "
                                      "[f.left + r.left"
                                      " + r.width / 2 + 2, f.top + r.top + r.height / 2 + 2]; })()")
                                : QStringLiteral(
                                      "(function(){ const r = document.getElementById('l')"
                                      ".getBoundingClientRect(); return [r.left + r.width / 2,"
                                      " r.top + r.height / 2]; })()"))
                    .toList();
            QCOMPARE(at.size(), 2);
            QTest::mouseClick(view()->focusProxy(), Qt::LeftButton, {},
                              QPoint(at[0].toInt(), at[1].toInt()));
            QTRY_VERIFY2_WITH_TIMEOUT(QFile::exists(record_), page, 10000);
            QCOMPARE(recorded().mid(1), expected);
        }
    }

    void commandLinkOfAWebPageIsRefused() {
        dv::test::PageServer server{QByteArray(kPage)};
        loadPage(server.url());
        QSignalSpy taken(&t_->form->browserHost(), &dv::qt::QtBrowserHost::commandLink);
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        // The engine hands the page's navigations over in turn: once the one
        // after the click has loaded, the click's own was decided.
        evaluate(view()->page(),
                 QStringLiteral("document.getElementById('run').click();"
                                "setTimeout(function () { location.href = 'sist'; }, 100)"));
        QVERIFY(loaded.wait(10000));
        QCOMPARE(view()->url(), QUrl(server.url() + QStringLiteral("sist")));
        QCOMPARE(loaded.count(), 1); // the command link loaded nothing
        QCOMPARE(taken.count(), 0);
        QVERIFY(!QFile::exists(record_));
    }

    // The link is written without apostrophes and the disc's root holds
    // blanks: the whole path reaches the desktop.
    void documentLinkOpensUnderARootWithBlanks() {
        dv::test::FakeDesktop desktop;
        desktop.addProgram(QStringLiteral("xdg-open"));
        t_->boxes.shown.clear();
        click("document");
        QTRY_VERIFY_WITH_TIMEOUT(!desktop.started().isEmpty(), 10000);
        const QString started = desktop.started().first();
        QVERIFY2(started.startsWith(QStringLiteral("xdg-open ")), qPrintable(started));
        QCOMPARE(QUrl(started.mid(9)).toLocalFile(),
                 disc_.filePath(QStringLiteral("tillagg/kallkod.txt")));
        QVERIFY(t_->boxes.shown.empty());
    }

    void missingProgramIsReportedWithTheWholeTarget() {
        t_->boxes.shown.clear();
        t_->form->IECommand(QStringLiteral("EXECUTE=<thisdir>\\program\\saknas.sh /S"));
        QCOMPARE(t_->boxes.shown.size(), std::size_t{1});
        const QString text = QString::fromStdString(t_->boxes.shown[0].text);
        const QString target = disc_.path() + QStringLiteral("\\program\\saknas.sh /S");
        // In Swedish, like every other box, with the whole target.
        QCOMPARE(text,
                 QStringLiteral("Det går inte att hitta filen. (") + target + QStringLiteral(")"));
        QVERIFY(!t_->windows->progStarting->isVisible());
    }

    void rightClicksAreSwallowedEverywhere() {
        // A window of the program that would open a menu on a right-click.
        QPushButton other(QStringLiteral("annat fönster"));
        other.setContextMenuPolicy(Qt::CustomContextMenu);
        QSignalSpy menuAsked(&other, &QWidget::customContextMenuRequested);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QTest::mouseClick(&other, Qt::RightButton);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                               other.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&other, &menu);
        QCOMPARE(menuAsked.count(), 0);

        QWidget* page = view()->focusProxy();
        QVERIFY(page);
        evaluate(view()->page(),
                 QStringLiteral("window.presses = [];"
                                "document.addEventListener('mousedown', function (e) {"
                                " presses.push(e.button); }, true)"));
        QTest::mouseClick(page, Qt::RightButton, {}, QPoint(200, 200));
        // The page takes the reader's clicks in turn: once the left one after
        // it has come, the right one would have.
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(200, 200));
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view()->page(), QStringLiteral("presses.join(',')")).toString(),
            QStringLiteral("0"), 10000);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(view()->findChild<QMenu*>() == nullptr);
    }

    void backspaceInATextFieldDeletesACharacter() {
        view()->setFocus();
        evaluate(view()->page(), QStringLiteral("document.getElementById('field').focus()"));
        QWidget* page = view()->focusProxy();
        QTest::keyClicks(page, QStringLiteral("abc"));
        QTest::keyClick(page, Qt::Key_Backspace);
        QTest::keyClick(page, Qt::Key_Left);
        QTest::keyClicks(page, QStringLiteral("x"));
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view()->page(), QStringLiteral("document.getElementById('field').value"))
                .toString(),
            QStringLiteral("axb"), 5000);
        QCOMPARE(view()->url().fileName(), QStringLiteral("index.htm"));
    }

    void internetSettingsVerbOpensTheDesktopsSettings() {
        dv::test::FakeDesktop desktop(true);
        desktop.addProgram(QStringLiteral("nm-connection-editor"));
        t_->form->IECommand(QStringLiteral("SHOWINETSETTINGS"));
        QCOMPARE(t_->form->statusText(),
                 QStringLiteral("Öppnar Kontrollpanelens Internetinställningar..."));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.started(),
                                  QStringList{QStringLiteral("nm-connection-editor")}, 5000);
    }

    void internetSettingsVerbSaysWhenThereIsNothingToOpen() {
        const dv::test::FakeDesktop nothing(true);
        t_->form->statusLine().setStatusText({});
        t_->form->IECommand(QStringLiteral("SHOWINETSETTINGS"));
        QCOMPARE(t_->form->statusText(),
                 QStringLiteral("Hittade inget program för Internetinställningar."));
    }

    // However the program is minimised (the verb, the hot-spot, the window
    // system), the search window leaves with it and comes back with it.
    void minimisingTakesTheSearchWindowAlong() {
        QWidget* search = t_->windows->fileSearch.get();
        const std::pair<const char*, std::function<void()>> ways[] = {
            {"verb", [this] { t_->form->IECommand(QStringLiteral("MINIMIZE")); }},
            {"hot-spot",
             [this] {
                 QTest::mouseClick(t_->form->findChild<QWidget*>(QStringLiteral("lbMinimize")),
                                   Qt::LeftButton, {}, QPoint(2, 2));
             }},
            {"window system", [this] { t_->form->setWindowState(Qt::WindowMinimized); }},
        };
        for (const auto& [way, minimise] : ways) {
            search->show();
            QVERIFY(QTest::qWaitForWindowExposed(search));
            minimise();
            QVERIFY2(t_->form->isMinimized(), way);
            QVERIFY2(!search->isVisible(), way);
            t_->form->showNormal();
            QTRY_VERIFY2(search->isVisible(), way);
            QVERIFY2(!t_->form->isMinimized(), way);
        }
        // A search window the reader had closed stays closed.
        search->hide();
        StateChanges changes;
        t_->form->installEventFilter(&changes);
        t_->form->IECommand(QStringLiteral("MINIMIZE"));
        t_->form->showNormal();
        // The window has been told it is back: that is when the search window would come.
        QTRY_VERIFY(changes.count >= 2 && !t_->form->isMinimized());
        QVERIFY(!search->isVisible());
    }

    // Last: it ends the program's main window.
    void quitVerbClosesTheMainWindow() {
        QVERIFY(t_->form->isVisible());
        t_->form->IECommand(QStringLiteral("quit, tack"));
        QVERIFY(!t_->form->isVisible());
    }

    void cleanupTestCase() { t_.reset(); }
};

DATAVIND_QTEST_MAIN(CommandLinkTest)
#include "CommandLinkTest.moc"
