#pragma once

#include "core/update/UpdateConsent.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace dv::qt {

// The dialog that asks whether the disc may look for updates when it starts.
class TAutoUpdateSettingsForm : public QDialog, public ConsentDialog {
    Q_OBJECT
  public:
    TAutoUpdateSettingsForm();

    // Shows the question; Esc or closing is no choice, "Stäng" keeps the choice.
    ConsentAnswer ask() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void layOut();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QRadioButton* rbYes = nullptr;
    QRadioButton* rbNo = nullptr;
    QPushButton* Button1 = nullptr;
    QCheckBox* cbNoNo = nullptr;
};

} // namespace dv::qt
