// What a page's script hands the program: its title attributes as tool
// tips and its alert, confirm and prompt boxes. All of it plain text, the
// boxes under the program's own Swedish captions, and a page that calls
// alert in a loop neither traps the reader nor blocks the main window.

#include "PageServer.h"
#include "QtTestHelpers.h"
#include "qt/browser/PageScriptDialog.h"
#include "qt/browser/QtBrowserHost.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#include <vector>

using dv::qt::PageScriptDialog;
using dv::test::evaluate;
using dv::test::MainWindowUnderTest;

namespace {

const QString kHostile =
    QStringLiteral("<img src=\"saknas.png\"><b>fet</b> <a href=\"file:///etc/passwd\">l</a>");

const char* kPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Sida</title>\n"
    "<script>\n"
    "const hostile = '<img src=\"saknas.png\"><b>fet</b> <a href=\"file:///etc/passwd\">l</a>';\n"
    "function loop() {\n"
    "  for (let i = 0; i < 50; i++)\n"
    "    alert(hostile);\n"
    "  document.title = 'klar';\n"
    "}\n"
    "function ask() {\n"
    "  const yes = confirm(hostile);\n"
    "  const said = prompt(hostile, '<i>förval</i>');\n"
    "  document.title = 'svar:' + yes + ':' + said;\n"
    "}\n"
    "</script></head>\n"
    "<body style=\"margin:0\"><div id=\"tip\" "
    "style=\"position:fixed;left:0;top:0;width:100%;height:100%\"\n"
    "title='<img src=\"saknas.png\"><b>fet</b> <a "
    "href=\"file:///etc/passwd\">l</a>'>x</div></body></html>\n";

PageScriptDialog* shownBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<PageScriptDialog*>(w); box && box->isVisible())
            return box;
    return nullptr;
}

// Handles each box the page shows, from inside the box's own loop.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(std::function<void(PageScriptDialog*)> handle) {
        QObject::connect(&poll_, &QTimer::timeout, &poll_, [this, handle = std::move(handle)] {
            PageScriptDialog* box = shownBox();
            if (!box || box == last_)
                return;
            last_ = box;
            handle(box);
        });
        poll_.start(20);
    }

  private:
    QTimer poll_;
    QPointer<PageScriptDialog> last_;
};

} // namespace

class PageScriptTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowUnderTest> t_;
    std::unique_ptr<dv::test::PageServer> server_;

    QWebEngineView* view() { return t_->form->browserHost().view(); }

    void loadPage() {
        QSignalSpy loaded(&t_->form->browserHost(), &dv::qt::QtBrowserHost::pageLoaded);
        t_->form->browserHost().navigate(server_->url().toStdString());
        QVERIFY(loaded.wait(30000));
    }

  private Q_SLOTS:
    void initTestCase() {
        server_ = std::make_unique<dv::test::PageServer>(QByteArray(kPage));
        t_ = std::make_unique<MainWindowUnderTest>();
        t_->form->show();
        QSignalSpy done(t_->form, &dv::qt::TForm1::startupDone);
        QVERIFY(done.wait(30000));
    }

    void init() { loadPage(); }

    // The engine hands the title attribute over as it stands; the tip shows
    // it as the literal text.
    void aTitleAttributeIsAPlainToolTip() {
        QWidget* page = view()->focusProxy();
        QVERIFY(page);
        QTest::mouseMove(page, QPoint(100, 100));
        QTest::mouseMove(page, QPoint(120, 110));
        QTRY_COMPARE_WITH_TIMEOUT(view()->toolTip(), kHostile, 10000);
        const QPoint at = view()->mapToGlobal(QPoint(120, 110));
        QHelpEvent help(QEvent::ToolTip, QPoint(120, 110), at);
        QApplication::sendEvent(view(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY2(!QToolTip::text().contains(QStringLiteral("<img")), qPrintable(QToolTip::text()));
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        QCOMPARE(shown.toPlainText(), kHostile);
        QToolTip::hideText();
    }

    void anAlertLoopIsOfferedToStopAfterAFewBoxes() {
        struct Seen {
            QString caption, text;
            bool plain = false, cancel = false, stopOffered = false, mainWindowFree = false,
                 pageBlocked = false;
        };
        std::vector<Seen> seen;
        BoxAnswerer answerer([&](PageScriptDialog* box) {
            Seen s;
            s.caption = box->windowTitle();
            s.plain = box->textLabel() && box->textLabel()->textFormat() == Qt::PlainText;
            s.text = box->textLabel() ? box->textLabel()->text() : QString();
            s.cancel = box->findChild<QPushButton*>(QStringLiteral("btCancel")) != nullptr;
            s.mainWindowFree =
                QApplication::activeModalWidget() == nullptr && t_->form->isEnabled();
            s.pageBlocked = !view()->isEnabled();
            s.stopOffered = box->stopBox() && box->stopBox()->text() ==
                                                  QStringLiteral("Låt inte sidan visa fler rutor");
            if (box->stopBox())
                box->stopBox()->setChecked(true);
            seen.push_back(s);
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("btOK")), Qt::LeftButton);
        });
        evaluate(view()->page(), QStringLiteral("setTimeout(loop, 0); 1"));
        // The other 47 are answered at once.
        QTRY_COMPARE_WITH_TIMEOUT(view()->title(), QStringLiteral("klar"), 20000);
        QCOMPARE(seen.size(), std::size_t{3});
        for (std::size_t i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen[i].caption, QStringLiteral("Datavinds cd - Meddelande från sidan"));
            QVERIFY(seen[i].plain);
            QCOMPARE(seen[i].text, kHostile);
            QVERIFY(!seen[i].cancel);
            QVERIFY(seen[i].mainWindowFree);
            QVERIFY(seen[i].pageBlocked);
            QCOMPARE(seen[i].stopOffered, i == 2);
        }
        QVERIFY(view()->isEnabled());
    }

    void confirmAndPromptAskInSwedishWithThePagesTextLiterally() {
        QStringList captions, texts, defaults;
        BoxAnswerer answerer([&](PageScriptDialog* box) {
            captions << box->windowTitle();
            texts << (box->textLabel() ? box->textLabel()->text() : QString());
            auto* cancel = box->findChild<QPushButton*>(QStringLiteral("btCancel"));
            if (!cancel || cancel->text() != QStringLiteral("Avbryt"))
                captions << QStringLiteral("no Avbryt");
            if (box->inputField()) {
                defaults << box->inputField()->text();
                box->inputField()->setText(QStringLiteral("<b>svar</b>"));
            }
            QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("btOK")), Qt::LeftButton);
        });
        evaluate(view()->page(), QStringLiteral("setTimeout(ask, 0); 1"));
        QTRY_COMPARE_WITH_TIMEOUT(view()->title(), QStringLiteral("svar:true:<b>svar</b>"), 20000);
        QCOMPARE(captions, QStringList(2, QStringLiteral("Datavinds cd - Fråga från sidan")));
        QCOMPARE(texts, QStringList(2, kHostile));
        QCOMPARE(defaults, QStringList{QStringLiteral("<i>förval</i>")});
    }

    // Last: it ends the program.
    void theExitHotSpotWorksWhileABoxIsUp() {
        int boxes = 0;
        bool exitUsable = false;
        BoxAnswerer answerer([&](PageScriptDialog*) {
            // Never answered: the reader leaves with the exit hot-spot.
            if (++boxes > 1)
                return;
            QWidget* exit = t_->form->findChild<QWidget*>(QStringLiteral("lbExit"));
            exitUsable = exit && exit->isEnabled() && exit->window()->isEnabled() &&
                         QApplication::activeModalWidget() == nullptr;
            if (exit)
                QTest::mouseClick(exit, Qt::LeftButton, {}, QPoint(8, 8));
        });
        evaluate(view()->page(), QStringLiteral("setTimeout(loop, 0); 1"));
        QTRY_VERIFY_WITH_TIMEOUT(boxes > 0, 20000);
        QVERIFY(exitUsable);
        QTRY_VERIFY_WITH_TIMEOUT(!t_->form->isVisible(), 10000);
        // The box went with the window, and the page's loop ran out.
        QTRY_VERIFY_WITH_TIMEOUT(shownBox() == nullptr, 10000);
        QCOMPARE(boxes, 1);
    }
};

DATAVIND_QTEST_MAIN(PageScriptTest)
#include "PageScriptTest.moc"
