// The start window shown while the program loads from a slow disc:
//   datavind-splash SCRIPT_PID
// The disc's start script runs it before the program, with its own process
// id (the script runs the program, or becomes it, and ends with it). Its
// picture, datavind-splash.pic, lies beside it. It ends on SIGTERM (from the
// program, once its own window is up) or when the script has ended.

#include "linux/startwindow/StartWindowPicture.h"
#include "linux/startwindow/XcbStartWindow.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopping = 0;

extern "C" void onStop(int) {
    stopping = 1;
}

std::string besideMe(const char* name) {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0)
        return name;
    std::string self(path, static_cast<std::size_t>(n));
    return self.substr(0, self.rfind('/') + 1) + name;
}

long long nowMs() {
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// The same line the program writes for its own milestones.
void markShown() {
    if (std::getenv("DATAVIND_TIMING")) {
        std::fprintf(stderr, "datavind-timing splash %lld\n", nowMs());
        std::fflush(stderr);
    }
}

bool programGone(pid_t program) {
    return program > 0 && ::kill(program, 0) != 0 && errno == ESRCH;
}

} // namespace

int main(int argc, char** argv) {
    const pid_t program = argc > 1 ? static_cast<pid_t>(std::atol(argv[1])) : 0;
    const auto picture = dv::StartWindowPicture::read(besideMe("datavind-splash.pic"));
    if (!picture) {
        std::fprintf(stderr, "datavind-splash: no start window picture\n");
        return 1;
    }
    struct sigaction stop = {};
    stop.sa_handler = onStop;
    ::sigaction(SIGTERM, &stop, nullptr);
    ::sigaction(SIGHUP, &stop, nullptr);
    ::sigaction(SIGINT, &stop, nullptr);

    auto window = dv::XcbStartWindow::open(*picture);
    if (!window)
        return 0; // no display it can draw on: the program starts all the same
    constexpr int kFrameMs = 40;
    constexpr int kWatchEvery = 250 / kFrameMs;
    bool marked = false;
    for (int frame = 0; !stopping; ++frame) {
        bool painted = false;
        if (!window->update(&painted))
            break;
        if (painted && !marked) {
            markShown();
            marked = true;
        }
        if (frame % kWatchEvery == 0 && programGone(program))
            break;
        pollfd events{window->fileDescriptor(), POLLIN, 0};
        ::poll(&events, 1, kFrameMs);
    }
    return 0;
}
