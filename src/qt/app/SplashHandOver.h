#pragma once

#include <QObject>

#include <sys/types.h>

namespace dv::qt {

// Closes the start window the disc's start script showed (its process id in
// DATAVIND_SPLASH) once the main window has painted itself over it. The
// variable is taken out of the environment at once, so that no program
// started from the disc closes anything.
class SplashHandOver : public QObject {
  public:
    static constexpr const char* kVariable = "DATAVIND_SPLASH";

    explicit SplashHandOver(QObject* mainWindow);
    ~SplashHandOver() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void closeSplash();

    pid_t splash_ = 0;
};

} // namespace dv::qt
