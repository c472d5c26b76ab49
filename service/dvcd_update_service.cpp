// dvcd-update-service FOLDER [PORT] [ADDRESS]
//
// Serves the update documents of FOLDER ("<disc id>.xml") on ADDRESS:PORT
// (default 127.0.0.1:8080) until SIGTERM or SIGINT.

#include "UpdateService.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <pthread.h>
#include <thread>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: dvcd-update-service FOLDER [PORT] [ADDRESS]\n";
        return 2;
    }
    const int port = argc >= 3 ? std::atoi(argv[2]) : 8080;
    const std::string address = argc >= 4 ? argv[3] : "127.0.0.1";

    // Signals are taken by one thread that stops the service cleanly.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    dv::UpdateService service(argv[1], std::cout);
    if (service.bind(address, port) < 0) {
        std::cerr << "dvcd-update-service: cannot listen on " << address << ":" << port << "\n";
        return 1;
    }
    std::thread stopper([&] {
        int received = 0;
        sigwait(&signals, &received);
        std::cout << "stopping on signal " << received << std::endl;
        service.stop();
    });
    std::cout << "serving " << argv[1] << " on http://" << address << ":" << port << std::endl;
    service.run();
    pthread_kill(stopper.native_handle(), SIGTERM); // in case it ended otherwise
    stopper.join();
    return 0;
}
