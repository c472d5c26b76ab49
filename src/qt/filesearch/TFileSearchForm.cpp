#include "filesearch/TFileSearchForm.h"

#include "app/QtText.h"
#include "shell/SkinPictures.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dv::qt {

namespace {

// Which program node an item is: the disc and program index in the tree.
constexpr int kDiscRole = Qt::UserRole;
constexpr int kProgramRole = Qt::UserRole + 1;

// Folders show open while selected.
QIcon folderIcon() {
    QIcon icon(SkinPictures::picture(QStringLiteral("FolderClosed")));
    icon.addPixmap(SkinPictures::picture(QStringLiteral("FolderOpen")), QIcon::Selected);
    return icon;
}

} // namespace

TFileSearchForm::TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes)
    : QWidget(nullptr, Qt::Tool), search_(discRoot, boxes, hourglass_) {
    setObjectName(QStringLiteral("FileSearchForm"));
    setWindowTitle(QStringLiteral("Filsökaren"));
    resize(498, 379);
    setMinimumSize(390, 200);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());

    createControls();
    search_.readCurrentDisc();
    if (!search_.currentDiscKnown()) {
        // Without a current disc "Denna skiva" would find nothing of use.
        rbThisDisc->setEnabled(false);
        rbAllDiscs->setChecked(true);
    }
    ebSearch->setFocus();
}

void TFileSearchForm::createControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(97);
    layout->addWidget(Panel1);
    Label1 = new QLabel(QStringLiteral("Skriv in den text du vill söka efter:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    ebSearch = new QLineEdit(Panel1);
    ebSearch->setObjectName(QStringLiteral("ebSearch"));
    ebSearch->setGeometry(8, 24, 185, 21);
    ebSearch->installEventFilter(this);
    rbThisDisc = new QRadioButton(QStringLiteral("Denna skiva"), Panel1);
    rbThisDisc->setObjectName(QStringLiteral("rbThisDisc"));
    rbThisDisc->move(200, 25);
    rbThisDisc->setChecked(true);
    rbAllDiscs = new QRadioButton(QStringLiteral("Alla skivor"), Panel1);
    rbAllDiscs->setObjectName(QStringLiteral("rbAllDiscs"));
    rbAllDiscs->move(200, 41);
    btSearch = new QPushButton(QStringLiteral("Sök"), Panel1);
    btSearch->setObjectName(QStringLiteral("btSearch"));
    btSearch->setGeometry(8, 48, 73, 23);
    connect(btSearch, &QPushButton::clicked, this, &TFileSearchForm::btSearchClick);
    cbShowAll = new QCheckBox(QStringLiteral("Sök inte, visa alla filer"), Panel1);
    cbShowAll->setObjectName(QStringLiteral("cbShowAll"));
    cbShowAll->move(200, 64);
    connect(cbShowAll, &QCheckBox::toggled, this, &TFileSearchForm::Action1Execute);
    auto* picture = new QLabel(Panel1);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(SkinPictures::picture(QStringLiteral("Filsok")));
    picture->setGeometry(390, 8, 96, 81);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    layout->addWidget(Splitter1, 1);
    Tree = new QTreeWidget(Splitter1);
    Tree->setObjectName(QStringLiteral("Tree"));
    Tree->setHeaderHidden(true);
    Tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(Tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { TreeChange(current); });
    List = new QListWidget(Splitter1);
    List->setObjectName(QStringLiteral("List"));
    Splitter1->setSizes({185, 313});
    Splitter1->setStretchFactor(1, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(StatusBar1);
}

bool TFileSearchForm::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the search box is the button.
    if (watched == ebSearch && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btSearch->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFileSearchForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFileSearchForm::btSearchClick() { search(ebSearch->text()); }

void TFileSearchForm::Action1Execute() {
    const bool showAll = cbShowAll->isChecked();
    ebSearch->setEnabled(!showAll);
    btSearch->setEnabled(!showAll);
    rbThisDisc->setEnabled(!showAll && search_.currentDiscKnown());
    rbAllDiscs->setEnabled(!showAll);
    if (showAll)
        search({});
}

void TFileSearchForm::search(const QString& text) {
    if (search_.DoSearch(toStdString(text), rbAllDiscs->isChecked()) != FileSearch::Outcome::Searched)
        return;
    // Filling the tree belongs to the search: still busy.
    hourglass_.showHourglass();
    showTree();
    hourglass_.restoreCursor();
}

void TFileSearchForm::showTree() {
    Tree->clear();
    List->clear();
    const SearchTree& tree = search_.tree();
    if (tree.empty())
        return; // no hits: not even the root
    const QIcon folder = folderIcon();
    auto* root = new QTreeWidgetItem(Tree, {toQString(SearchTree::kRootName)});
    root->setIcon(0, QIcon(SkinPictures::picture(QStringLiteral("FolderOpen"))));
    for (std::size_t d = 0; d < tree.discs.size(); ++d) {
        auto* disc = new QTreeWidgetItem(root, {toQString(tree.discs[d].name)});
        disc->setIcon(0, folder);
        const auto& programs = tree.discs[d].programs;
        for (std::size_t p = 0; p < programs.size(); ++p) {
            auto* program = new QTreeWidgetItem(disc, {toQString(programs[p].name)});
            program->setIcon(0, folder);
            program->setData(0, kDiscRole, QVariant::fromValue(d));
            program->setData(0, kProgramRole, QVariant::fromValue(p));
        }
    }
    root->setExpanded(true);
}

void TFileSearchForm::TreeChange(QTreeWidgetItem* node) {
    List->clear();
    if (!node || node->childCount() > 0 || !node->data(0, kProgramRole).isValid())
        return;
    const auto d = node->data(0, kDiscRole).value<std::size_t>();
    const auto p = node->data(0, kProgramRole).value<std::size_t>();
    QStringList entries;
    for (const std::string_view entry : search_.tree().discs.at(d).programs.at(p).entries)
        entries << toQString(entry);
    List->addItems(entries);
}

} // namespace dv::qt
