#pragma once

#include "core/browser/ExtraInfoDialog.h"
#include "core/browser/ExtraInfoDialogModel.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace dv {
class FileLauncher;
}

namespace dv::qt {

// The "more information" dialog shown before an item with a note starts.
class TExtraInfoForm : public QDialog, public ExtraInfoDialog {
    Q_OBJECT
  public:
    TExtraInfoForm();

    // Where a click on the address goes.
    void setLauncher(FileLauncher* launcher) { launcher_ = launcher; }

    // Shows the note modally; true when the reader chose "Ja".
    bool askToStart(const TExtraInfo& note) override;
    // Shows a note with only a "Stäng" button, whatever it says of starting.
    void showNotice(const TExtraInfo& note, const std::string& caption) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Draws the model's view of a note: texts, what shows, places.
    void present(const ExtraInfoView& view);
    void lbURLClick();

    ExtraInfoView view_;

    QLabel* lbInformation = nullptr;
    QPlainTextEdit* ebInformation = nullptr;
    QGroupBox* gbMoreInfo = nullptr;
    QLabel* lbURL = nullptr;
    QLabel* lbOpenNow = nullptr;
    QPushButton* btYes = nullptr;
    QPushButton* btNo = nullptr;
    FileLauncher* launcher_ = nullptr;
};

} // namespace dv::qt
