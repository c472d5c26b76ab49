#include "qt/filesearch/TFileSearchForm.h"

#include "qt/app/QtText.h"
#include "qt/app/QtTextMeasure.h"
#include "qt/shell/SkinPictures.h"

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

using SearchModel = FileSearchWindowModel;

// Which program node an item is: the disc and program index in the tree.
constexpr int kDiscRole = Qt::UserRole;
constexpr int kProgramRole = Qt::UserRole + 1;

QPixmap picture(SearchModel::Picture which) {
    return SkinPictures::picture(QLatin1String(SearchModel::pictureName(which)));
}

QIcon iconAt(int depth) {
    const SearchModel::NodePictures pictures = SearchModel::picturesAt(depth);
    QIcon icon(picture(pictures.normal));
    icon.addPixmap(picture(pictures.selected), QIcon::Selected);
    return icon;
}

} // namespace

TFileSearchForm::TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes)
    : QWidget(nullptr, Qt::Tool), search_(discRoot, boxes, hourglass_), model_([this] {
          search_.readCurrentDisc();
          return search_.currentDiscKnown();
      }()) {
    setObjectName(QStringLiteral("FileSearchForm"));
    setWindowTitle(toQString(SearchModel::kCaption));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    createControls();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    rbAllDiscs->setChecked(model_.allDiscsAtStart());
    rbThisDisc->setChecked(!model_.allDiscsAtStart());
    showEnabled();
    ebSearch->setFocus();
}

void TFileSearchForm::createControls() {
    const FileSearchWindowLayout l = SearchModel::layout(QtTextMeasure(*this));
    resize(l.clientWidth, l.clientHeight);
    setMinimumSize(l.minimumWidth, l.minimumHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(l.panelHeight);
    layout->addWidget(Panel1);
    Label1 = new QLabel(toQString(SearchModel::kPrompt), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(toQRect(l.Label1));
    ebSearch = new QLineEdit(Panel1);
    ebSearch->setObjectName(QStringLiteral("ebSearch"));
    ebSearch->setGeometry(toQRect(l.ebSearch));
    ebSearch->installEventFilter(this);
    rbThisDisc = new QRadioButton(toQString(SearchModel::kThisDisc), Panel1);
    rbThisDisc->setObjectName(QStringLiteral("rbThisDisc"));
    rbThisDisc->setGeometry(toQRect(l.rbThisDisc));
    rbAllDiscs = new QRadioButton(toQString(SearchModel::kAllDiscs), Panel1);
    rbAllDiscs->setObjectName(QStringLiteral("rbAllDiscs"));
    rbAllDiscs->setGeometry(toQRect(l.rbAllDiscs));
    btSearch = new QPushButton(toQString(SearchModel::kSearch), Panel1);
    btSearch->setObjectName(QStringLiteral("btSearch"));
    btSearch->setGeometry(toQRect(l.btSearch));
    connect(btSearch, &QPushButton::clicked, this, &TFileSearchForm::btSearchClick);
    cbShowAll = new QCheckBox(toQString(SearchModel::kShowAll), Panel1);
    cbShowAll->setObjectName(QStringLiteral("cbShowAll"));
    cbShowAll->setGeometry(toQRect(l.cbShowAll));
    connect(cbShowAll, &QCheckBox::toggled, this, &TFileSearchForm::Action1Execute);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(SkinPictures::picture(QLatin1String(SearchModel::kPicture)));
    layout_ = l;

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
    Splitter1->setSizes({l.treeWidth, l.clientWidth - l.treeWidth});
    Splitter1->setStretchFactor(1, 1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(StatusBar1);
    placePicture();
}

void TFileSearchForm::placePicture() {
    const QSize size = Image1->pixmap().size();
    Image1->setGeometry(
        toQRect(SearchModel::pictureBounds(layout_, width(), {size.width(), size.height()})));
}

void TFileSearchForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placePicture();
}

SearchModel::Key TFileSearchForm::keyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return SearchModel::Key::Enter;
    case Qt::Key_Escape:
        return SearchModel::Key::Escape;
    default:
        return SearchModel::Key::Other;
    }
}

bool TFileSearchForm::keyAction(const QKeyEvent& event, bool inSearchBox) {
    switch (SearchModel::onKey(keyOf(event), inSearchBox)) {
    case SearchModel::KeyAction::Search:
        btSearch->click();
        return true;
    case SearchModel::KeyAction::Hide:
        hide();
        return true;
    case SearchModel::KeyAction::None:
        break;
    }
    return false;
}

bool TFileSearchForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ebSearch && event->type() == QEvent::KeyPress &&
        keyAction(*static_cast<QKeyEvent*>(event), true))
        return true;
    return QWidget::eventFilter(watched, event);
}

void TFileSearchForm::keyPressEvent(QKeyEvent* event) {
    if (keyAction(*event, false)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFileSearchForm::btSearchClick() {
    search(ebSearch->text());
}

void TFileSearchForm::showEnabled() {
    const SearchModel::Controls enabled = model_.enabled();
    ebSearch->setEnabled(enabled.ebSearch);
    btSearch->setEnabled(enabled.btSearch);
    rbThisDisc->setEnabled(enabled.rbThisDisc);
    rbAllDiscs->setEnabled(enabled.rbAllDiscs);
}

void TFileSearchForm::Action1Execute() {
    const bool searchAll = model_.showAllToggled(cbShowAll->isChecked());
    showEnabled();
    if (searchAll)
        search({});
}

void TFileSearchForm::search(const QString& text) {
    SearchModel::search(search_, hourglass_, toStdString(text), rbAllDiscs->isChecked(),
                        [this](const SearchTree&) { showTree(); });
}

void TFileSearchForm::showTree() {
    Tree->clear();
    List->clear();
    const SearchTree& tree = search_.tree();
    if (tree.empty())
        return; // no hits: not even the root
    auto* root = new QTreeWidgetItem(Tree, {toQString(SearchTree::kRootName)});
    root->setIcon(0, iconAt(0));
    const QIcon disc = iconAt(1);
    const QIcon program = iconAt(2);
    for (std::size_t d = 0; d < tree.discs.size(); ++d) {
        auto* discItem = new QTreeWidgetItem(root, {toQString(tree.discs[d].name)});
        discItem->setIcon(0, disc);
        const auto& programs = tree.discs[d].programs;
        for (std::size_t p = 0; p < programs.size(); ++p) {
            auto* item = new QTreeWidgetItem(discItem, {toQString(programs[p].name)});
            item->setIcon(0, program);
            item->setData(0, kDiscRole, QVariant::fromValue(d));
            item->setData(0, kProgramRole, QVariant::fromValue(p));
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
