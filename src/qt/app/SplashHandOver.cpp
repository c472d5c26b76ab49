#include "qt/app/SplashHandOver.h"

#include <QEvent>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <string>

namespace dv::qt {

SplashHandOver::SplashHandOver(QObject* mainWindow) : QObject(mainWindow) {
    if (const char* value = std::getenv(kVariable)) {
        try {
            std::size_t used = 0;
            const long pid = std::stol(value, &used);
            if (used == std::string(value).size() && pid > 1)
                splash_ = static_cast<pid_t>(pid);
        } catch (const std::exception&) {
        }
        ::unsetenv(kVariable);
    }
    if (splash_)
        mainWindow->installEventFilter(this);
}

SplashHandOver::~SplashHandOver() {
    closeSplash();
}

bool SplashHandOver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && splash_) {
        watched->removeEventFilter(this);
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &SplashHandOver::closeSplash);
    }
    return false;
}

void SplashHandOver::closeSplash() {
    if (splash_ > 0)
        ::kill(splash_, SIGTERM);
    splash_ = 0;
}

} // namespace dv::qt
