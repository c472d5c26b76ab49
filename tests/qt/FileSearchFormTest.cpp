// The "Filsökaren" window on the sample disc's program list.

#include "QtTestHelpers.h"
#include "filesearch/TFileSearchForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <sys/stat.h>

namespace {

template <typename T> T* child(QWidget& w, const char* name) {
    auto* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no %s", name);
    return c;
}

QStringList topics(QTreeWidgetItem* item) {
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i)
        names << item->child(i)->text(0);
    return names;
}

// Message boxes that note the pointer over the program when each opens:
// the override cursor's shape, or -1 for none.
class CursorWatchingBoxes : public dv::test::FakeMessageBoxes {
public:
    dv::MessageAnswer show(const dv::MessageBoxRequest& request) override {
        const QCursor* cursor = QApplication::overrideCursor();
        cursorsSeen << (cursor ? static_cast<int>(cursor->shape()) : -1);
        return FakeMessageBoxes::show(request);
    }
    QList<int> cursorsSeen;
};

} // namespace

class FileSearchFormTest : public QObject {
    Q_OBJECT

    dv::test::FakeMessageBoxes boxes_;

    std::unique_ptr<dv::qt::TFileSearchForm> sampleForm() {
        return std::make_unique<dv::qt::TFileSearchForm>(DATAVIND_SAMPLE_DISC "/", boxes_);
    }

private Q_SLOTS:
    void windowAndControls() {
        auto form = sampleForm();
        QCOMPARE(form->windowTitle(), QStringLiteral("Filsökaren"));
        QCOMPARE(form->size(), QSize(498, 379));
        QCOMPARE(form->minimumSize(), QSize(390, 200));
        QVERIFY(form->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(child<QLineEdit>(*form, "ebSearch")->geometry(), QRect(8, 24, 185, 21));
        QCOMPARE(child<QPushButton>(*form, "btSearch")->geometry(), QRect(8, 48, 73, 23));
        QCOMPARE(child<QRadioButton>(*form, "rbThisDisc")->pos(), QPoint(200, 25));
        QCOMPARE(child<QRadioButton>(*form, "rbAllDiscs")->pos(), QPoint(200, 41));
        QCOMPARE(child<QCheckBox>(*form, "cbShowAll")->pos(), QPoint(200, 64));
        QVERIFY(child<QRadioButton>(*form, "rbThisDisc")->isChecked());
        QVERIFY(child<QRadioButton>(*form, "rbThisDisc")->isEnabled());
    }

    void enterRunsTheSameSearchAsTheButton() {
        auto form = sampleForm();
        form->show();
        auto* edit = child<QLineEdit>(*form, "ebSearch");
        auto* tree = child<QTreeWidget>(*form, "Tree");
        edit->setText(QStringLiteral("läsmig"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Datavind"));
        QCOMPARE(topics(root), QStringList{QStringLiteral("Datavind 12/2004")});
        const QStringList byEnter = topics(root->child(0));
        child<QPushButton>(*form, "btSearch")->click();
        QCOMPARE(topics(tree->topLevelItem(0)->child(0)), byEnter);
        QCOMPARE(byEnter, (QStringList{QStringLiteral("Snöbollskriget 2"), QStringLiteral("Tomtens verkstad"),
                                       QStringLiteral("Diskrensaren")}));
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QVERIFY(!tree->topLevelItem(0)->child(0)->isExpanded());
    }

    void selectingNodesFillsTheList() {
        auto form = sampleForm();
        form->show();
        child<QLineEdit>(*form, "ebSearch")->setText(QStringLiteral("SNOBOLL"));
        child<QPushButton>(*form, "btSearch")->click();
        auto* tree = child<QTreeWidget>(*form, "Tree");
        auto* list = child<QListWidget>(*form, "List");
        QTreeWidgetItem* disc = tree->topLevelItem(0)->child(0);
        tree->setCurrentItem(disc->child(0));
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(0)->text(), QStringLiteral("NOJE\\SNOBOLL\\SETUP.EXE"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("NOJE\\SNOBOLL\\LÄSMIG.TXT"));
        tree->setCurrentItem(disc);
        QCOMPARE(list->count(), 0);
        tree->setCurrentItem(tree->topLevelItem(0));
        QCOMPARE(list->count(), 0);
    }

    void showAllDisablesTheSearchAndListsEverything() {
        auto form = sampleForm();
        form->show();
        child<QRadioButton>(*form, "rbAllDiscs")->setChecked(true);
        auto* showAll = child<QCheckBox>(*form, "cbShowAll");
        showAll->click();
        for (const char* name : {"ebSearch", "btSearch", "rbThisDisc", "rbAllDiscs"})
            QVERIFY2(!child<QWidget>(*form, name)->isEnabled(), name);
        auto* tree = child<QTreeWidget>(*form, "Tree");
        QCOMPARE(tree->topLevelItem(0)->childCount(), 12); // every disc
        showAll->click();
        for (const char* name : {"ebSearch", "btSearch", "rbThisDisc", "rbAllDiscs"})
            QVERIFY2(child<QWidget>(*form, name)->isEnabled(), name);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 12); // results left as they are
    }

    void noHitsLeaveAnEmptyTree() {
        auto form = sampleForm();
        child<QLineEdit>(*form, "ebSearch")->setText(QStringLiteral("finns inte någonstans"));
        child<QPushButton>(*form, "btSearch")->click();
        QCOMPARE(child<QTreeWidget>(*form, "Tree")->topLevelItemCount(), 0);
    }

    void escapeHidesAndResultsStay() {
        auto form = sampleForm();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        child<QLineEdit>(*form, "ebSearch")->setText(QStringLiteral("setup"));
        child<QPushButton>(*form, "btSearch")->click();
        QTest::keyClick(child<QTreeWidget>(*form, "Tree"), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        form->show();
        QCOMPARE(child<QTreeWidget>(*form, "Tree")->topLevelItemCount(), 1);
        QCOMPARE(child<QLineEdit>(*form, "ebSearch")->text(), QStringLiteral("setup"));
    }

    void unknownCurrentDiscKeepsDennaSkivaOff() {
        QTemporaryDir disc;
        QDir().mkpath(disc.filePath(QStringLiteral("filsok")));
        QFile::copy(QStringLiteral(DATAVIND_SAMPLE_DISC "/filsok/proglist.txt"),
                    disc.filePath(QStringLiteral("filsok/proglist.txt")));
        dv::qt::TFileSearchForm form((disc.path() + QLatin1Char('/')).toStdString(), boxes_);
        auto* thisDisc = child<QRadioButton>(form, "rbThisDisc");
        QVERIFY(!thisDisc->isEnabled());
        QVERIFY(child<QRadioButton>(form, "rbAllDiscs")->isChecked());
        auto* showAll = child<QCheckBox>(form, "cbShowAll");
        showAll->click();
        showAll->click();
        QVERIFY(!thisDisc->isEnabled());
    }

    // The box that says the list could not be loaded has the ordinary
    // pointer, and whatever the list's name stands for, the box is that one.
    void unreadableListsShowTheMessageWithoutTheHourglass_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << QStringLiteral("missing");
        QTest::newRow("fifo") << QStringLiteral("fifo");
        QTest::newRow("folder") << QStringLiteral("folder");
    }

    void unreadableListsShowTheMessageWithoutTheHourglass() {
        QFETCH(QString, kind);
        QTemporaryDir disc;
        const QString list = disc.filePath(QStringLiteral("filsok/proglist.txt"));
        QDir().mkpath(disc.filePath(QStringLiteral("filsok")));
        if (kind == QLatin1String("fifo"))
            QCOMPARE(mkfifo(QFile::encodeName(list).constData(), 0644), 0);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(list));
        CursorWatchingBoxes boxes;
        dv::qt::TFileSearchForm form((disc.path() + QLatin1Char('/')).toStdString(), boxes);
        form.show();
        child<QPushButton>(form, "btSearch")->click();
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(boxes.shown[0].text),
                 QStringLiteral("Kunde inte ladda in programlistan! Kan därför inte söka."));
        QCOMPARE(boxes.cursorsSeen, QList<int>{-1});
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void missingListShowsTheMessage() {
        QTemporaryDir disc;
        boxes_.shown.clear();
        dv::qt::TFileSearchForm form((disc.path() + QLatin1Char('/')).toStdString(), boxes_);
        child<QPushButton>(form, "btSearch")->click();
        QCOMPARE(boxes_.shown.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(boxes_.shown[0].text),
                 QStringLiteral("Kunde inte ladda in programlistan! Kan därför inte söka."));
    }
};

DATAVIND_QTEST_MAIN(FileSearchFormTest)
#include "FileSearchFormTest.moc"
