#pragma once

#include "core/browser/FileLauncher.h"
#include "core/browser/WaitingWindowModel.h"
#include "win32/support/Window.h"

namespace dv::win32 {

// The small "Vänta..." window on top of everything while the shell starts a
// target. Its bar sweeps from empty to full in ten seconds and starts over,
// moving whenever the program's messages are handled.
class TProgStartingForm : public Window, public WaitingWindow {
  public:
    TProgStartingForm();

    void showWaiting() override;
    void hideWaiting() override;

    HWND label() const { return Label1; }
    HWND progressBar() const { return ProgressBar1; }
    int position() const;

    static constexpr UINT_PTR kTimer1 = 1;

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormShow();
    void FormHide();
    void Timer1Timer();
    void centreOnScreen();

    WaitingWindowLayout layout_;
    HWND Label1 = nullptr;
    HWND ProgressBar1 = nullptr;
};

} // namespace dv::win32
