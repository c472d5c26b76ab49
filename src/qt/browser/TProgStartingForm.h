#pragma once

#include "core/browser/FileLauncher.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

namespace dv::qt {

// The small "Vänta..." window shown while a program or link is being started.
class TProgStartingForm : public QWidget, public WaitingWindow {
    Q_OBJECT
  public:
    TProgStartingForm();

    void showWaiting() override;
    void hideWaiting() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Timer1Timer();

    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace dv::qt
