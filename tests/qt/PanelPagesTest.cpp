// What may lie in the browser panel and where pages the reader opens go:
// pages from outside the disc never come in and never run commands, web
// pages asked for in a new window go to the desktop's browser, disc pages
// stay in the panel, and scripts of disc pages may move to the web.

#include "FakeDesktop.h"
#include "PageServer.h"
#include "QtTestHelpers.h"
#include "RawHttpServer.h"
#include "qt/browser/QtBrowserHost.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <algorithm>
#include <atomic>

using dv::test::evaluate;
using dv::test::MainWindowUnderTest;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray page(const QByteArray& body) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>" + body +
           "</body></html>";
}

// Runs a command that records its one word in the disc's record file.
QByteArray recorder(const char* word) {
    return QByteArray("COMMAND:EXECUTE=<thisdir>\\program\\argrec.sh ") + word;
}

} // namespace

class PanelPagesTest : public QObject {
    Q_OBJECT

    QTemporaryDir disc_;
    QTemporaryDir outside_;
    QString record_;
    std::unique_ptr<MainWindowUnderTest> t_;

    QWebEngineView* view() { return t_->form->browserHost().view(); }
    QString discPage(const char* name) {
        return disc_.filePath(QStringLiteral("docs/test/") + QLatin1String(name));
    }

    bool loadPage(const QString& address) {
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        t_->form->browserHost().navigate(address.toStdString());
        return loaded.wait(30000) && loaded.first().first().toBool();
    }

    // A click of the reader's own on an element of the page.
    void clickElement(const char* id) {
        const QVariantList at =
            evaluate(view()->page(), QStringLiteral("(function(){ const r = document."
                                                    "getElementById('%1').getBoundingClientRect();"
                                                    " return [r.left + 3, r.top + 3]; })()")
                                         .arg(QLatin1String(id)))
                .toList();
        QVERIFY2(at.size() == 2, id);
        QTest::mouseClick(view()->focusProxy(), Qt::LeftButton, {},
                          QPoint(at[0].toInt(), at[1].toInt()));
    }

    QStringList recorded() {
        QFile f(record_);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
    }

    // The commands the program took from the page until now, and ran. The
    // reader clicks a command link the disc page shows after the timers of
    // its own scripts: the host takes commands in the order the engine hands
    // them over and runs them in turn, so once that one has run, everything
    // the page did before it has had its say.
    QStringList commandsTakenByNow() {
        const QString marker = QStringLiteral("klart%1").arg(++markers_);
        evaluate(
            view()->page(),
            QStringLiteral(
                "window.klart = false; setTimeout(function () {"
                " const old = document.getElementById('klart'); if (old) old.remove();"
                " const a = document.createElement('a'); a.id = 'klart'; a.textContent = 'klart';"
                " a.style.cssText = "
                "'position:fixed;left:0;top:0;display:block;width:80px;height:30px;"
                "background:#fff;z-index:9999'; a.href = '%1';"
                " document.body.appendChild(a); window.klart = true; }, 150)")
                .arg(QString::fromUtf8(
                    recorder(marker.toUtf8().constData()).replace("\\", "\\\\"))));
        if (!QTest::qWaitFor(
                [&] { return evaluate(view()->page(), QStringLiteral("window.klart")).toBool(); },
                15000))
            return {QStringLiteral("the page never showed the marker link")};
        QSignalSpy taken(&t_->form->browserHost(), &dv::qt::QtBrowserHost::commandLink);
        clickElement("klart");
        if (!QTest::qWaitFor(
                [&] {
                    return !taken.isEmpty() && taken.last().first().toString().endsWith(marker);
                },
                15000))
            return {QStringLiteral("the reader's command never came")};
        QStringList before = commandsRunBefore(marker);
        for (int i = 0; i + 1 < taken.count(); ++i)
            before << QStringLiteral("taken: ") + taken.at(i).first().toString();
        return before;
    }

    // The commands run before the program's own marker, which runs in turn
    // after every command taken before it.
    QStringList commandsRunBefore(const QString& marker) {
        const QString line = QStringLiteral("arg=") + marker;
        if (!QTest::qWaitFor([&] { return recorded().contains(line); }, 15000))
            return {QStringLiteral("the command ") + marker + QStringLiteral(" never ran")};
        QStringList before = recorded();
        before.erase(std::remove_if(before.begin(), before.end(),
                                    [](const QString& l) {
                                        return l.startsWith(QStringLiteral("arg=klart"));
                                    }),
                     before.end());
        return before;
    }

    // The same, with a command the program itself runs as the marker, for
    // a page that may no longer be the disc's.
    QStringList commandsRunByNow() {
        const QString marker = QStringLiteral("klart%1").arg(++markers_);
        t_->form->IECommand(QStringLiteral("EXECUTE=<thisdir>\\program\\argrec.sh ") + marker);
        return commandsRunBefore(marker);
    }

    int markers_ = 0;

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(disc_.isValid() && outside_.isValid());
        QDir().mkpath(disc_.filePath(QStringLiteral("program")));
        QVERIFY(QFile::copy(QStringLiteral(DATAVIND_SAMPLE_DISC "/program/argrec.sh"),
                            disc_.filePath(QStringLiteral("program/argrec.sh"))));
        record_ = disc_.filePath(QStringLiteral("argrec.txt"));
        qputenv("DATAVIND_ARGREC", record_.toUtf8());

        // A page outside the disc that tries every way to run a command: in
        // its own frame, in the page above it, and through the page above.
        write(outside_.filePath(QStringLiteral("elak.htm")),
              page("<a id=\"run\" href=\"" + recorder("utifran") +
                   "\">kör</a><script>\n"
                   "document.getElementById('run').click();\n"
                   "location.href = '" +
                   recorder("ram") +
                   "'.replace(/\\\\/g, '\\\\\\\\');\n"
                   "try { parent.location.href = '" +
                   recorder("ovanfor") +
                   "'.replace(/\\\\/g, '\\\\\\\\'); } catch (e) {}\n"
                   "try { const a = parent.document.createElement('a'); a.href = '" +
                   recorder("genom") +
                   "'.replace(/\\\\/g, '\\\\\\\\'); parent.document.body.appendChild(a); "
                   "a.click(); } catch (e) {}\n"
                   "</script>"));
        write(discPage("ram.htm"),
              page("<iframe id=\"f\" src=\"" +
                   QUrl::fromLocalFile(outside_.filePath(QStringLiteral("elak.htm"))).toEncoded() +
                   "\"></iframe>"));
        // A link on the disc that leads out of it.
        QVERIFY(QFile::link(outside_.filePath(QStringLiteral("elak.htm")), discPage("lank.htm")));
        write(discPage("index.htm"), page("<a id=\"lank\" href=\"lank.htm\">länk</a>"));
        // Frames of the disc's own still run their commands.
        write(discPage("inre.htm"),
              page("<a id=\"run\" href=\"" + recorder("inifran") + "\">kör</a>"));
        write(discPage("ramar.htm"), page("<iframe id=\"f\" src=\"inre.htm\"></iframe>"));

        t_ = std::make_unique<MainWindowUnderTest>(std::function<std::optional<std::string>()>{},
                                                   disc_.filePath(QStringLiteral("datavind")));
        t_->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(t_->form));
        QSignalSpy done(t_->form, &dv::qt::TForm1::startupDone);
        QVERIFY(done.wait(30000)); // the web engine starts slowly on a loaded machine
    }

    void init() { QFile::remove(record_); }

    void anOutsidePageInAFrameNeverLoadsNorRunsCommands() {
        QVERIFY(loadPage(discPage("ram.htm")));
        QCOMPARE(commandsTakenByNow().join(QStringLiteral(" | ")), QString());
        QCOMPARE(evaluate(view()->page(), QStringLiteral("frames[0].location.href")).toString(),
                 QStringLiteral("about:blank"));
        QCOMPARE(view()->url().fileName(), QStringLiteral("ram.htm"));
    }

    void aPageReachedThroughALinkOutOfTheDiscNeverLoads() {
        QVERIFY(loadPage(discPage("index.htm")));
        clickElement("lank");
        QCOMPARE(commandsTakenByNow().join(QStringLiteral(" | ")), QString());
        QCOMPARE(view()->url().fileName(), QStringLiteral("index.htm"));
        // Nor when the program itself is sent there.
        QFile::remove(record_);
        t_->form->browserHost().navigate(discPage("lank.htm").toStdString());
        QCOMPARE(commandsTakenByNow().join(QStringLiteral(" | ")), QString());
        QCOMPARE(view()->url().fileName(), QStringLiteral("index.htm"));
    }

    void framesOfTheDiscRunTheirCommands() {
        QVERIFY(loadPage(discPage("ramar.htm")));
        evaluate(view()->page(),
                 QStringLiteral("frames[0].document.getElementById('run').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(recorded(), QStringList{QStringLiteral("arg=inifran")}, 10000);
    }

    void aWebPageForANewWindowGoesToTheDesktopsBrowser() {
        dv::test::FakeDesktop desktop;
        desktop.addProgram(QStringLiteral("xdg-open"));
        dv::test::PageServer server(page("webben"));
        const QByteArray web = server.url().toUtf8();
        write(discPage("nya.htm"), page("<p><a id=\"blank\" target=\"_blank\" href=\"" + web +
                                        "nytt\">nytt</a></p>"
                                        "<p><button id=\"open\" onclick=\"window.open('" +
                                        web + "oppna')\">öppna</button></p>"));
        QVERIFY(loadPage(discPage("nya.htm")));
        clickElement("blank");
        QTRY_COMPARE_WITH_TIMEOUT(
            desktop.started(),
            QStringList{QStringLiteral("xdg-open ") + server.url() + QStringLiteral("nytt")},
            10000);
        clickElement("open");
        QTRY_COMPARE_WITH_TIMEOUT(desktop.started().size(), 2, 10000);
        QCOMPARE(desktop.started().last(),
                 QStringLiteral("xdg-open ") + server.url() + QStringLiteral("oppna"));
        QCOMPARE(view()->url().fileName(), QStringLiteral("nya.htm"));
        QVERIFY(t_->boxes.shown.empty());
    }

    void aDiscPageForANewWindowStaysInThePanel() {
        write(discPage("nyskiva.htm"),
              page("<p><a id=\"blank\" target=\"_blank\" href=\"inre.htm\">inre</a></p>"));
        QVERIFY(loadPage(discPage("nyskiva.htm")));
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        clickElement("blank");
        QVERIFY(loaded.wait(10000));
        QCOMPARE(view()->url().fileName(), QStringLiteral("inre.htm"));
    }

    void aCommandLinkForANewWindowRunsItsCommand() {
        write(discPage("nykommando.htm"),
              page("<p><a id=\"blank\" target=\"_blank\" href=\"" + recorder("nyttfonster") +
                   "\">kör</a></p>"
                   "<p><button id=\"open\" onclick=\"window.open('" +
                   recorder("oppnat").replace("\\", "\\\\") + "')\">kör</button></p>"));
        QVERIFY(loadPage(discPage("nykommando.htm")));
        clickElement("blank");
        QTRY_COMPARE_WITH_TIMEOUT(recorded(), QStringList{QStringLiteral("arg=nyttfonster")},
                                  10000);
        clickElement("open");
        QTRY_COMPARE_WITH_TIMEOUT(recorded(), QStringList{QStringLiteral("arg=oppnat")}, 10000);
        QCOMPARE(view()->url().fileName(), QStringLiteral("nykommando.htm"));
    }

    void popUpsNobodyAskedForStayAway() {
        dv::test::FakeDesktop desktop;
        desktop.addProgram(QStringLiteral("xdg-open"));
        dv::test::PageServer server(page("webben"));
        const QByteArray web = server.url().toUtf8();
        write(discPage("popup.htm"),
              page("<a id=\"blank\" target=\"_blank\" href=\"" + web +
                   "a\">a</a><script>"
                   "window.open('" +
                   web +
                   "b'); window.open('inre.htm');"
                   "setTimeout(function () { document.getElementById('blank').click(); }, 100);"
                   "</script>"));
        QVERIFY(loadPage(discPage("popup.htm")));
        QCOMPARE(commandsTakenByNow().join(QStringLiteral(" | ")), QString());
        QCOMPARE(desktop.started(), QStringList());
        QCOMPARE(view()->url().fileName(), QStringLiteral("popup.htm"));
    }

    void aScriptOfADiscPageMovesToTheWeb() {
        dv::test::PageServer server(page("<p id=\"w\">webben</p>"));
        write(discPage("flytta.htm"), page("<script>setTimeout(function () { location.href = '" +
                                           server.url().toUtf8() + "'; }, 100);</script>"));
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        t_->form->browserHost().navigate(discPage("flytta.htm").toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(loaded.count() >= 2, 15000);
        QCOMPARE(view()->url(), QUrl(server.url()));
        QCOMPARE(loaded.last().first().toBool(), true);
        QCOMPARE(
            evaluate(view()->page(), QStringLiteral("document.getElementById('w').textContent"))
                .toString(),
            QStringLiteral("webben"));
    }

    void aWebPageNeverRunsCommandsInANewWindowEither() {
        dv::test::FakeDesktop desktop;
        desktop.addProgram(QStringLiteral("xdg-open"));
        dv::test::PageServer server(
            page("<p><a id=\"blank\" target=\"_blank\" href=\"" + recorder("webb") +
                 "\">kör</a></p><p><button id=\"open\" onclick=\"window.open('" +
                 recorder("webb").replace("\\", "\\\\") +
                 "')\">kör</button></p>"
                 "<p><a id=\"sist\" target=\"_blank\" href=\"sist\">sist</a></p>"));
        QVERIFY(loadPage(server.url()));
        QSignalSpy taken(&t_->form->browserHost(), &dv::qt::QtBrowserHost::commandLink);
        clickElement("blank");
        clickElement("open");
        // The reader's last click, on a web link for a new window, is handed
        // over after the two before it.
        clickElement("sist");
        QTRY_COMPARE_WITH_TIMEOUT(
            desktop.started(),
            QStringList{QStringLiteral("xdg-open ") + server.url() + QStringLiteral("sist")},
            10000);
        QCOMPARE(taken.count(), 0);
        QCOMPARE(recorded(), QStringList());
        QCOMPARE(view()->url(), QUrl(server.url()));
    }

    // A web page inside a frame of a disc page is the web's, not the disc's:
    // no route of its own, nor of a frame it makes, runs a command, whether
    // the reader clicks or a script acts alone.
    void aWebPageInAFrameOfADiscPageNeverRunsCommands() {
        const auto js = [](const char* word) { return recorder(word).replace("\\", "\\\\"); };
        const QByteArray nested = page("<a id=\"r\" href=\"" + recorder("data") +
                                       "\">x</a><script>"
                                       "document.getElementById('r').click();"
                                       "try { top.location.href = '" +
                                       js("datatopp") +
                                       "'; } catch (e) {}"
                                       "location.href = '" +
                                       js("dataram") + "';</script>");
        dv::test::PageServer server(
            page("<a id=\"run\" style=\"display:block;height:40px\" href=\"" + recorder("klick") +
                 "\">kör</a>"
                 "<button style=\"display:block;height:40px\" onclick=\"window.open('" +
                 js("knapp") +
                 "')\">öppna</button>"
                 "<iframe style=\"height:20px\" src=\"data:text/html;base64," +
                 nested.toBase64() +
                 "\"></iframe>"
                 "<iframe style=\"height:20px\" srcdoc=\"<a id=r href='" +
                 recorder("srcdoc") +
                 "'>x</a><script>document.getElementById('r').click()</script>\"></iframe>"
                 "<script>document.getElementById('run').click();"
                 "window.open('" +
                 js("oppna") +
                 "');"
                 "try { top.location.href = '" +
                 js("topp") +
                 "'; } catch (e) {}"
                 "try { top.open('" +
                 js("toppoppna") + "'); } catch (e) {}</script>"));
        write(discPage("webbram.htm"),
              page("<iframe id=\"f\" style=\"width:400px;height:200px;border:0\" src=\"" +
                   server.url().toUtf8() + "\"></iframe>"));
        QVERIFY(loadPage(discPage("webbram.htm")));
        QCOMPARE(commandsTakenByNow().join(QStringLiteral(" | ")), QString());
        QFile::remove(record_);
        // The reader clicks the web page's link, then its button.
        const QVariantList at =
            evaluate(view()->page(), QStringLiteral("(function(){ const r = document."
                                                    "getElementById('f').getBoundingClientRect();"
                                                    " return [r.left, r.top]; })()"))
                .toList();
        QCOMPARE(at.size(), 2);
        QTest::mouseClick(view()->focusProxy(), Qt::LeftButton, {},
                          QPoint(at[0].toInt() + 10, at[1].toInt() + 20));
        QTest::mouseClick(view()->focusProxy(), Qt::MiddleButton, {},
                          QPoint(at[0].toInt() + 10, at[1].toInt() + 20));
        QTest::mouseClick(view()->focusProxy(), Qt::LeftButton, {},
                          QPoint(at[0].toInt() + 10, at[1].toInt() + 60));
        QCOMPARE(commandsTakenByNow().join(QStringLiteral(" | ")), QString());
        QCOMPARE(view()->url().fileName(), QStringLiteral("webbram.htm"));
    }

    // A web address the disc page follows that the server redirects to a
    // command: the redirect is the web's word, not the disc's.
    void aRedirectFromTheWebNeverRunsCommands() {
        std::atomic<int> redirected{0};
        dv::test::RawHttpServer server([&](dv::test::RawHttpServer& s, int socket) {
            s.send(socket,
                   "HTTP/1.0 302 Found\r\nLocation: " + recorder("omdirigerad").toStdString() +
                       "\r\nContent-Length: 0\r\n\r\n");
            ++redirected;
        });
        const QByteArray web = QByteArray::fromStdString(server.url()) + "/a";
        write(discPage("omdirigering.htm"),
              page("<a id=\"lank\" href=\"" + web + "\">webben</a><iframe src=\"" + web +
                   "\"></iframe>"));
        QVERIFY(loadPage(discPage("omdirigering.htm")));
        // The frame's address was redirected before the page had loaded.
        QTRY_VERIFY_WITH_TIMEOUT(redirected >= 1, 10000);
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        clickElement("lank");
        // Each navigation of the page ends, redirected or not.
        QTRY_VERIFY_WITH_TIMEOUT(redirected >= 2 && loaded.count() >= 1, 10000);
        evaluate(view()->page(),
                 QStringLiteral("location.href = '%1'").arg(QString::fromUtf8(web)));
        QTRY_VERIFY_WITH_TIMEOUT(redirected >= 3 && loaded.count() >= 2, 10000);
        QCOMPARE(commandsRunByNow().join(QStringLiteral(" | ")), QString());
    }

    void cleanupTestCase() { t_.reset(); }
};

DATAVIND_QTEST_MAIN(PanelPagesTest)
#include "PanelPagesTest.moc"
