#pragma once

#include <QWidget>

#include <sys/types.h>

class QTimer;

namespace dv::qt {

// What the reader sees of the program while the disc is still reading the
// web engine's libraries: the main window's skin at the main window's place,
// its centre panel saying that the disc is starting, and a busy bar where
// the page's progress bar will be. It links nothing of the web engine, so it
// shows after a few megabytes read. It closes when told to (SIGTERM from the
// program once its own window is up) or when the program it waits for ends.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(pid_t program);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void checkProgram();

    pid_t program_;
    QPixmap background_;
    QTimer* watch_ = nullptr;
};

} // namespace dv::qt
