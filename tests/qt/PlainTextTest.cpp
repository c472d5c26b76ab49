// Texts from outside the program (the update service, a page, a file name, a
// tag, a target) are shown as plain text in every window: the literal text,
// no picture loaded, no link to follow. And a box with a text taller than
// the screen keeps its buttons on screen with the whole text readable.

#include "QtTestHelpers.h"
#include "core/browser/ExtraInfoDialogModel.h"
#include "core/browser/FileLauncher.h"
#include "core/text/LongLines.h"
#include "qt/app/MessageBoxDialog.h"
#include "qt/app/QtMessageBoxes.h"
#include "qt/app/QtText.h"
#include "qt/app/QtTextMeasure.h"
#include "qt/browser/TExtraInfoForm.h"
#include "qt/filesearch/TFileSearchForm.h"
#include "qt/music/PlayerControls.h"
#include "qt/music/QtSaveDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QStringList kHostile = {QStringLiteral("<b>x</b>"), QStringLiteral("<img src=\"/dev/zero\">"),
                              QStringLiteral("<a href=\"file:///etc/passwd\">l</a>")};

// Records every address handed to the desktop.
class DesktopRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
    DesktopRecorder() {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~DesktopRecorder() override {
        for (const char* scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
  public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

// The label shows `text` literally, and a click on it follows nothing.
void checkShownLiterally(QLabel* label, const QString& text) {
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(!(label->textInteractionFlags() & Qt::LinksAccessibleByMouse));
    QVERIFY(!label->openExternalLinks());
    // Laid out as the literal characters, not as a bold x or a picture.
    if (label->isVisible() && !label->wordWrap())
        QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(text) * 9 / 10);
}

void clickAllOver(QWidget* widget) {
    for (int x = 1; x < widget->width(); x += 4)
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(x, widget->height() / 2));
}

// Answers the next box from inside its own loop, after `look` has seen it.
void whenBoxShown(std::function<void(QWidget*)> look) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, look = std::move(look)] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        look(box);
        if (auto* dialog = qobject_cast<QDialog*>(box))
            dialog->reject();
    });
    poll->start(20);
}

} // namespace

class PlainTextTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void messageBoxesShowLiteralText() {
        DesktopRecorder desktop;
        dv::qt::QtMessageBoxes boxes;
        for (const QString& text : kHostile) {
            bool seen = false;
            whenBoxShown([&](QWidget* box) {
                seen = true;
                auto* label = box->findChild<QLabel*>(QStringLiteral("lbText"));
                checkShownLiterally(label, text);
                clickAllOver(label);
                QCOMPARE(box->windowTitle(), QStringLiteral("Datavinds cd - ") + text);
            });
            boxes.show({"Datavinds cd - " + text.toStdString(), text.toStdString(),
                        dv::MessageIcon::Error});
            QVERIFY(seen);
        }
        QVERIFY(desktop.opened.isEmpty());
    }

    void aBoxTallerThanTheScreenKeepsItsButtonsOnScreen() {
        // 800 KB: many lines, and one line with no blank to break at.
        std::string lines;
        while (lines.size() < 400 * 1024)
            lines += "En rad av ett mycket långt meddelande från uppdateringstjänsten.\r";
        const std::string text = lines + std::string(400 * 1024, 'x') + "\rSISTA RADEN";
        for (const auto buttons : {dv::MessageButtons::Ok, dv::MessageButtons::YesNo}) {
            dv::qt::MessageBoxDialog box(
                {"Datavinds cd - Långt", text, dv::MessageIcon::Warning, buttons}, nullptr);
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            const QRect screen = box.screen()->availableGeometry();
            QVERIFY2(screen.contains(box.frameGeometry()),
                     qPrintable(QStringLiteral("%1,%2 %3x%4")
                                    .arg(box.frameGeometry().x())
                                    .arg(box.frameGeometry().y())
                                    .arg(box.frameGeometry().width())
                                    .arg(box.frameGeometry().height())));
            for (QPushButton* button : box.findChildren<QPushButton*>()) {
                QVERIFY(button->isVisible());
                QVERIFY(screen.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
            }
            QPlainTextEdit* field = box.textField();
            QVERIFY(field);
            QVERIFY(field->isReadOnly());
            // All of it, its long line in pieces.
            QCOMPARE(field->toPlainText(), dv::qt::toDisplayLines(dv::breakLongLines(text)));
            // And it can be scrolled to its last line.
            QScrollBar* bar = field->verticalScrollBar();
            QVERIFY(bar->maximum() > 0);
            bar->setValue(bar->maximum());
            QCOMPARE(
                field->cursorForPosition(QPoint(4, field->viewport()->height() - 8)).block().text(),
                QStringLiteral("SISTA RADEN"));
            box.reject();
        }
    }

    // One line of 800 000 characters without a blank, in a box and as an
    // extra-information notice: each paints (the test's time limit is the
    // frame it used to miss by minutes), within the screen, whole.
    void aLineWithoutBlanksPaintsAndScrolls() {
        const std::string line(800000, 'x');
        const std::string text = line + "\rSLUT";
        dv::qt::MessageBoxDialog box(
            {"Datavinds cd", text, dv::MessageIcon::Warning, dv::MessageButtons::Ok}, nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(box.screen()->availableGeometry().contains(box.frameGeometry()));
        QPlainTextEdit* field = box.textField();
        QVERIFY(field);
        QString shown = field->toPlainText();
        shown.remove(QLatin1Char('\n'));
        QCOMPARE(shown, QString::fromStdString(line) + QStringLiteral("SLUT"));
        QScrollBar* bar = field->verticalScrollBar();
        bar->setValue(bar->maximum());
        field->viewport()->repaint();
        QCOMPARE(
            field->cursorForPosition(QPoint(4, field->viewport()->height() - 8)).block().text(),
            QStringLiteral("SLUT"));
        box.reject();

        dv::qt::TExtraInfoForm form;
        whenBoxShown([&](QWidget*) {
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            auto* note = form.findChild<QPlainTextEdit*>(QStringLiteral("ebInformation"));
            QVERIFY(note->isVisible());
            QString all = note->toPlainText();
            all.remove(QLatin1Char('\n'));
            QCOMPARE(all.size(), qsizetype{800000});
            note->viewport()->repaint();
            QVERIFY(form.findChild<QPushButton*>(QStringLiteral("btNo"))->isVisible());
        });
        form.showNotice({"", line, "", false}, "Datavinds cd - Långt");
    }

    void shortTextsStayInALabel() {
        dv::qt::MessageBoxDialog box({"Datavinds cd", "Kort.", dv::MessageIcon::Information},
                                     nullptr);
        QVERIFY(box.textLabel());
        QVERIFY(!box.textField());
    }

    void theNoteDialogShowsLiteralText() {
        DesktopRecorder desktop;
        dv::test::CallLog log;
        dv::test::FakeLauncher launcher(log);
        dv::test::FakeWaitingWindow waiting(log);
        dv::test::FakeMessageBoxes boxes(&log);
        dv::FileLauncher fileLauncher(launcher, waiting, boxes);
        dv::qt::TExtraInfoForm form;
        form.setLauncher(&fileLauncher);
        for (const QString& text : kHostile) {
            whenBoxShown([&](QWidget*) {
                checkShownLiterally(form.findChild<QLabel*>(QStringLiteral("lbInformation")), text);
                auto* url = form.findChild<QLabel*>(QStringLiteral("lbURL"));
                checkShownLiterally(url, text);
                clickAllOver(url);
                clickAllOver(form.findChild<QLabel*>(QStringLiteral("lbInformation")));
            });
            form.askToStart({"x", text.toStdString(), text.toStdString(), true});
        }
        QVERIFY(desktop.opened.isEmpty());
        QVERIFY(log.empty()); // nothing was started either
    }

    void aLongNoteScrollsInPlaceOfItsLabel() {
        dv::qt::TExtraInfoForm form;
        std::string note;
        for (int i = 0; i < 2000; ++i)
            note += "Rad " + std::to_string(i) + "\r";
        const dv::ExtraInfoLayout layout = dv::ExtraInfoDialogModel::layout(
            dv::ExtraInfoDialogModel::notice({"", note, "", false}, "Datavinds cd - Långt"),
            dv::qt::QtTextMeasure(form));
        QVERIFY(layout.informationScrolls);
        whenBoxShown([&](QWidget*) {
            QCOMPARE(form.size(), QSize(layout.clientWidth, layout.clientHeight));
            QVERIFY(!form.findChild<QLabel*>(QStringLiteral("lbInformation"))->isVisible());
            auto* field = form.findChild<QPlainTextEdit*>(QStringLiteral("ebInformation"));
            QVERIFY(field->isVisible());
            QCOMPARE(field->geometry(), dv::qt::toQRect(layout.lbInformation));
            QCOMPARE(field->toPlainText(), dv::qt::toDisplayLines(note));
            QVERIFY(field->verticalScrollBar()->maximum() > 0);
            QVERIFY(form.findChild<QPushButton*>(QStringLiteral("btNo"))->isVisible());
        });
        form.showNotice({"", note, "", false}, "Datavinds cd - Långt");
        // A short one after it is back in the label.
        whenBoxShown([&](QWidget*) {
            QVERIFY(form.findChild<QLabel*>(QStringLiteral("lbInformation"))->isVisible());
            QVERIFY(!form.findChild<QPlainTextEdit*>(QStringLiteral("ebInformation"))->isVisible());
        });
        form.showNotice({"", "Kort.", "", false}, "Datavinds cd");
    }

    void quarantineWarningAndLaunchErrorShowTheTargetLiterally() {
        DesktopRecorder desktop;
        dv::qt::QtMessageBoxes boxes;
        dv::qt::DiscWindows windows({&boxes, dv::test::sampleDiscExecutable(), {}, nullptr});
        const QString target = kHostile.join(QLatin1Char(' '));
        windows.form1->quarantine().append("<b>x</b>");
        QString shown;
        whenBoxShown([&](QWidget* box) {
            shown = box->findChild<QLabel*>(QStringLiteral("lbText"))->text();
        });
        windows.form1->IECommand(QStringLiteral("EXECUTE=<thisdir>\\") + target);
        QTRY_VERIFY(!shown.isEmpty());
        QVERIFY(shown.contains(target));
        QCOMPARE(windows.form1->findChild<QLabel*>(QStringLiteral("lbStatus"))->textFormat(),
                 Qt::PlainText);

        windows.form1->quarantine().clear();
        shown.clear();
        whenBoxShown([&](QWidget* box) {
            auto* label = box->findChild<QLabel*>(QStringLiteral("lbText"));
            QCOMPARE(label->textFormat(), Qt::PlainText);
            shown = label->text();
            clickAllOver(label);
        });
        windows.form1->IECommand(QStringLiteral("EXECUTE=<thisdir>\\") + kHostile[2]);
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 20000); // the launch error box
        QVERIFY(shown.contains(kHostile[2]));
        QVERIFY(desktop.opened.isEmpty());
    }

    void statusLineAndTitleLineShowLiteralText() {
        dv::test::MainWindowUnderTest t;
        for (const QString& text : kHostile) {
            t.form->statusLine().setStatusText(text.toStdString());
            checkShownLiterally(t.form->findChild<QLabel*>(QStringLiteral("lbStatus")), text);
            static_cast<dv::PlayerView&>(t.form->playerControls()).setTitleLine(text.toStdString());
            checkShownLiterally(t.form->findChild<QLabel*>(QStringLiteral("lbSongNameWhite")),
                                text);
            checkShownLiterally(t.form->findChild<QLabel*>(QStringLiteral("lbSongNameShadow")),
                                text);
        }
    }

    // Saving the track over a file of the same name asks first; the name is
    // the disc's, and the question shows it literally. A "no" goes back to
    // the dialog, a "yes" saves.
    void theReplaceQuestionShowsTheNameLiterally() {
        QTemporaryDir folder;
        const QString name = QStringLiteral("<b>fet<br><a href=x>l.mp3");
        QFile existing(folder.filePath(name));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();

        struct Question {
            bool ownBox = false;
            QString text;
            Qt::TextFormat format = Qt::AutoText;
        };
        QList<Question> questions;
        int step = 0;
        QTimer script;
        connect(&script, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            auto* files = qobject_cast<QFileDialog*>(modal);
            if (files && (step == 0 || step == 2)) {
                if (step == 0) {
                    files->setDirectory(folder.path());
                    files->selectFile(name);
                }
                ++step;
                QMetaObject::invokeMethod(files, &QDialog::accept, Qt::QueuedConnection);
            } else if (!files && (step == 1 || step == 3)) {
                Question q;
                if (auto* box = qobject_cast<dv::qt::MessageBoxDialog*>(modal);
                    box && box->textLabel()) {
                    q = {true, box->textLabel()->text(), box->textLabel()->textFormat()};
                    if (step == 3) {
                        ++step;
                        QMetaObject::invokeMethod(
                            box->findChild<QPushButton*>(QStringLiteral("btYes")),
                            &QAbstractButton::click, Qt::QueuedConnection);
                        questions << q;
                        return;
                    }
                }
                questions << q;
                ++step;
                QMetaObject::invokeMethod(qobject_cast<QDialog*>(modal), &QDialog::reject,
                                          Qt::QueuedConnection);
            }
        });
        script.start(50);
        dv::qt::QtSaveDialog dialog(nullptr);
        const std::optional<std::string> chosen = dialog.askSaveFileName(name.toStdString());
        script.stop();

        QCOMPARE(questions.size(), 2);
        for (const Question& q : questions) {
            QVERIFY(q.ownBox);
            QCOMPARE(q.format, Qt::PlainText);
            QVERIFY2(q.text.contains(name), qPrintable(q.text));
        }
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(*chosen), folder.filePath(name));
    }

    void fileSearchShowsLiteralNames() {
        QTemporaryDir disc;
        QDir().mkpath(disc.filePath(QStringLiteral("filsok")));
        QFile list(disc.filePath(QStringLiteral("filsok/proglist.txt")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write((QStringLiteral("<b>Skiva</b>\t") + kHostile[1] + QLatin1Char('\t') +
                    kHostile[2] + QStringLiteral("\r\n"))
                       .toUtf8());
        list.close();
        dv::test::FakeMessageBoxes boxes;
        dv::qt::TFileSearchForm form((disc.path() + QLatin1Char('/')).toStdString(), boxes);
        form.show();
        form.findChild<QLineEdit*>(QStringLiteral("ebSearch"))->setText(QStringLiteral("passwd"));
        form.findChild<QPushButton*>(QStringLiteral("btSearch"))->click();
        auto* tree = form.findChild<QTreeWidget*>(QStringLiteral("Tree"));
        QTreeWidgetItem* discItem = tree->topLevelItem(0)->child(0);
        QCOMPARE(discItem->text(0), QStringLiteral("<b>Skiva</b>"));
        QCOMPARE(discItem->child(0)->text(0), kHostile[1]);
        tree->setCurrentItem(discItem->child(0));
        auto* files = form.findChild<QListWidget*>(QStringLiteral("List"));
        QCOMPARE(files->item(0)->text(), kHostile[2]);
        // Item views draw their text as it is; there is no rich text to turn off.
        QCOMPARE(files->item(0)->data(Qt::DisplayRole).toString(), kHostile[2]);
    }
};

DATAVIND_QTEST_MAIN(PlainTextTest)
#include "PlainTextTest.moc"
