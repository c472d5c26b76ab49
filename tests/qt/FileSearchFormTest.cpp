// The "Filsökaren" window on the sample disc's program list.

#include "QtTestHelpers.h"
#include "core/filesearch/FileSearchWindowModel.h"
#include "qt/app/QtTextMeasure.h"
#include "qt/filesearch/TFileSearchForm.h"
#include "qt/shell/SkinPictures.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>

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
    // The places, texts, enabled controls, keys, tree pictures and the
    // hourglass are the core's (its tables hold the cases); the window
    // shows them and wires its controls to them.
    void drawsAndWiresTheModel() {
        using Model = dv::FileSearchWindowModel;
        auto form = sampleForm();
        const dv::FileSearchWindowLayout l = Model::layout(dv::qt::QtTextMeasure(*form));
        QCOMPARE(form->windowTitle(), QString::fromUtf8(Model::kCaption));
        QCOMPARE(form->size(), QSize(l.clientWidth, l.clientHeight));
        QCOMPARE(form->minimumSize(), QSize(l.minimumWidth, l.minimumHeight));
        QVERIFY(form->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(child<QWidget>(*form, "Panel1")->height(), l.panelHeight);
        struct Control {
            const char* name;
            dv::Rect place;
            const char* text;
        };
        const Control controls[] = {
            {"Label1", l.Label1, Model::kPrompt},
            {"ebSearch", l.ebSearch, nullptr},
            {"rbThisDisc", l.rbThisDisc, Model::kThisDisc},
            {"rbAllDiscs", l.rbAllDiscs, Model::kAllDiscs},
            {"btSearch", l.btSearch, Model::kSearch},
            {"cbShowAll", l.cbShowAll, Model::kShowAll},
        };
        for (const Control& c : controls) {
            QWidget* w = child<QWidget>(*form, c.name);
            QCOMPARE(w->geometry(), dv::qt::toQRect(c.place));
            if (auto* label = qobject_cast<QLabel*>(w))
                QCOMPARE(label->text(), QString::fromUtf8(c.text));
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                QCOMPARE(button->text(), QString::fromUtf8(c.text));
        }
        QVERIFY(child<QRadioButton>(*form, "rbThisDisc")->isChecked());

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* picture = child<QLabel>(*form, "Image1");
        const QSize size = picture->pixmap().size();
        QCOMPARE(picture->geometry(), dv::qt::toQRect(Model::pictureBounds(
                                          l, form->width(), {size.width(), size.height()})));

        // Enter in the search box searches; the tree wears the model's pictures.
        auto* edit = child<QLineEdit>(*form, "ebSearch");
        auto* tree = child<QTreeWidget>(*form, "Tree");
        edit->setText(QStringLiteral("läsmig"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Datavind"));
        QVERIFY(root->isExpanded());
        QCOMPARE(topics(root), QStringList{QStringLiteral("Datavind 12/2004")});
        QCOMPARE(topics(root->child(0)),
                 (QStringList{QStringLiteral("Snöbollskriget 2"),
                              QStringLiteral("Tomtens verkstad"), QStringLiteral("Diskrensaren")}));
        const auto pixmapOf = [](const QTreeWidgetItem* item, QIcon::Mode mode) {
            return item->icon(0)
                .pixmap(16, 16, mode)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32);
        };
        const auto skin = [](Model::Picture p) {
            return dv::qt::SkinPictures::picture(QLatin1String(Model::pictureName(p)))
                .scaled(16, 16)
                .toImage()
                .convertToFormat(QImage::Format_ARGB32);
        };
        const QTreeWidgetItem* nodes[] = {root, root->child(0), root->child(0)->child(0)};
        for (int depth = 0; depth < 3; ++depth) {
            const Model::NodePictures pictures = Model::picturesAt(depth);
            QCOMPARE(pixmapOf(nodes[depth], QIcon::Normal), skin(pictures.normal));
            QCOMPARE(pixmapOf(nodes[depth], QIcon::Selected), skin(pictures.selected));
        }

        // "Sök inte, visa alla filer" enables and disables as the model says, and lists every disc.
        child<QRadioButton>(*form, "rbAllDiscs")->setChecked(true);
        auto* showAll = child<QCheckBox>(*form, "cbShowAll");
        Model model(true);
        for (const bool on : {true, false}) {
            showAll->click();
            model.showAllToggled(on);
            const Model::Controls enabled = model.enabled();
            QCOMPARE(edit->isEnabled(), enabled.ebSearch);
            QCOMPARE(child<QWidget>(*form, "btSearch")->isEnabled(), enabled.btSearch);
            QCOMPARE(child<QWidget>(*form, "rbThisDisc")->isEnabled(), enabled.rbThisDisc);
            QCOMPARE(child<QWidget>(*form, "rbAllDiscs")->isEnabled(), enabled.rbAllDiscs);
            QCOMPARE(tree->topLevelItem(0)->childCount(),
                     12); // every disc; turned off, left as it is
        }

        // Esc hides it; the results stay for the next showing.
        QTest::keyClick(tree, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        form->show();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(edit->text(), QStringLiteral("läsmig"));
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

    // Without a current disc the window starts as the model says; a list that
    // cannot be read gives its box with the ordinary pointer (the override
    // cursor is how this program shows the hourglass).
    void noCurrentDiscAndNoList() {
        QTemporaryDir disc;
        boxes_.shown.clear();
        CursorWatchingBoxes boxes;
        dv::qt::TFileSearchForm form((disc.path() + QLatin1Char('/')).toStdString(), boxes);
        const dv::FileSearchWindowModel model(false);
        QCOMPARE(child<QRadioButton>(form, "rbThisDisc")->isEnabled(), model.enabled().rbThisDisc);
        QCOMPARE(child<QRadioButton>(form, "rbAllDiscs")->isChecked(), model.allDiscsAtStart());
        form.show();
        child<QPushButton>(form, "btSearch")->click();
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(boxes.shown[0].text),
                 QStringLiteral("Kunde inte ladda in programlistan! Kan därför inte söka."));
        QCOMPARE(boxes.cursorsSeen, QList<int>{-1});
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }
};

DATAVIND_QTEST_MAIN(FileSearchFormTest)
#include "FileSearchFormTest.moc"
