#pragma once

#include "core/filesearch/FileSearch.h"
#include "core/filesearch/FileSearchWindowModel.h"
#include "qt/app/QtHourglass.h"

#include <QWidget>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace dv {
class MessageBoxes;
}

namespace dv::qt {

// The "Filsökaren" tool window that searches the programs of this and earlier
// discs. It is created at start and only hidden when closed; its results
// stay between showings.
class TFileSearchForm : public QWidget {
    Q_OBJECT
  public:
    TFileSearchForm(const std::string& discRoot, MessageBoxes& boxes);

    void btSearchClick();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static FileSearchWindowModel::Key keyOf(const QKeyEvent& event);
    // What the model says a key does here; true when it did something.
    bool keyAction(const QKeyEvent& event, bool inSearchBox);
    void createControls();
    void placePicture();
    void showEnabled();
    void Action1Execute();
    void TreeChange(QTreeWidgetItem* node);
    void search(const QString& text);
    void showTree();

    QtHourglass hourglass_;
    FileSearch search_;
    FileSearchWindowModel model_;
    FileSearchWindowLayout layout_;
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* ebSearch = nullptr;
    QRadioButton* rbThisDisc = nullptr;
    QRadioButton* rbAllDiscs = nullptr;
    QPushButton* btSearch = nullptr;
    QCheckBox* cbShowAll = nullptr;
    QLabel* Image1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeWidget* Tree = nullptr;
    QListWidget* List = nullptr;
    QStatusBar* StatusBar1 = nullptr;
};

} // namespace dv::qt
