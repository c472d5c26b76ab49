// The start window shown while the program loads from a slow disc:
//   datavind-splash PROGRAM_PID
// The disc's start script runs it before the program, with the program's
// process id (the script's own, which the program takes over).

#include "app/SplashWindow.h"

#include <QApplication>
#include <QFont>
#include <QSocketNotifier>

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

int quitPipe[2] = {-1, -1};

extern "C" void onTerminate(int) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t n = ::write(quitPipe[1], &byte, 1);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    app.setFont(font);
    const pid_t program = argc > 1 ? static_cast<pid_t>(std::atol(argv[1])) : 0;

    // SIGTERM, which the program sends when its window is up, ends the loop
    // through a pipe: nothing else is safe in a signal handler.
    if (::pipe(quitPipe) == 0) {
        std::signal(SIGTERM, onTerminate);
        auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    }
    dv::qt::SplashWindow window(program);
    window.show();
    return app.exec();
}
