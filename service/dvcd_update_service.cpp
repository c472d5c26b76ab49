// dvcd-update-service [OPTIONS] FOLDER [PORT] [ADDRESS]
//
// Serves the update documents of FOLDER ("<disc id>.xml") on ADDRESS:PORT
// (default 127.0.0.1:8080) until SIGTERM or SIGINT.

#include "ServiceAcceptor.h"
#include "ServiceCommandLine.h"
#include "UpdateService.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <sys/resource.h>
#include <thread>

namespace {

// Each connection is a file descriptor; the usual soft limit of 1024 would
// stop the service long before its connection bound. Raised as far as the
// hard limit allows, else the bound comes down to what fits: with the bound
// above the limit, idle connections would take every descriptor and new
// clients would wait unseen in the backlog, as the bound never comes into play.
// False when the limit cannot hold even the worker loops and a connection
// for each: the service would fail later, in the middle of its start.
bool makeRoomForConnections(dv::ServiceSettings& settings) {
    // Besides its connections the service needs the standard streams, the
    // listener, the folder scan and the connections on their way to a
    // worker; and each worker's loop holds three (epoll, wake-up, timer).
    const rlim_t threads = settings.workerThreads();
    const rlim_t needed = 8 + dv::ServiceAcceptor::kOnTheirWay + 3 * threads;
    const rlim_t spare = 64 + 3 * threads;
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return true;
    const rlim_t wanted = static_cast<rlim_t>(settings.maxConnections) + spare;
    if (limit.rlim_cur < wanted) {
        limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, limit.rlim_max);
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    if (limit.rlim_cur < needed + threads) {
        std::cerr << "dvcd-update-service: only " << limit.rlim_cur << " open files allowed, too few for "
                  << threads << " worker threads; raise the limit (ulimit -n) or give fewer --threads\n";
        return false;
    }
    if (limit.rlim_cur < wanted) {
        // Too few files even for the spare: half of them for connections,
        // fewer when the loops need more, in equal shares for the workers.
        rlim_t room = limit.rlim_cur > 2 * spare
                          ? limit.rlim_cur - spare
                          : std::min(limit.rlim_cur / 2, limit.rlim_cur > needed ? limit.rlim_cur - needed : 0);
        if (room >= threads)
            room -= room % threads;
        settings.maxConnections = std::max<std::size_t>(1, static_cast<std::size_t>(room));
        std::cerr << "dvcd-update-service: only " << limit.rlim_cur << " open files allowed; at most "
                  << settings.maxConnections << " connections\n";
    }
    return true;
}

std::string url(const std::string& address, int port) {
    const bool v6 = address.find(':') != std::string::npos;
    return "http://" + (v6 ? "[" + address + "]" : address) + ":" + std::to_string(port);
}

} // namespace

int main(int argc, char** argv) {
    dv::ServiceCommandLine line = dv::ServiceCommandLine::parse({argv + 1, argv + argc});
    if (line.help) {
        std::cout << dv::ServiceCommandLine::kUsage;
        return 0;
    }
    if (!line.error.empty()) {
        std::cerr << "dvcd-update-service: " << line.error << "\n" << dv::ServiceCommandLine::kUsage;
        return 2;
    }
    if (!makeRoomForConnections(line.settings))
        return 1;

    // Signals are taken by one thread that stops the service cleanly.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    dv::UpdateService service(line.folder, std::cout, line.settings);
    const int port = service.bind(line.address, line.port);
    if (port < 0) {
        std::cerr << "dvcd-update-service: cannot listen on " << url(line.address, line.port) << ": "
                  << service.bindError()
                  << (service.bindError() == "Address already in use" ? " (is another service running there?)" : "")
                  << "\n";
        return 1;
    }
    std::thread stopper([&] {
        int received = 0;
        sigwait(&signals, &received);
        std::cout << "stopping on signal " << received << std::endl;
        service.stop();
    });
    std::cout << "serving " << line.folder << " on " << url(line.address, port) << " (documents cached for "
              << line.settings.cacheLifetime.count() << " s, at most " << line.settings.maxConnections
              << " connections)" << std::endl;
    service.run();
    pthread_kill(stopper.native_handle(), SIGTERM); // in case it ended otherwise
    stopper.join();
    return 0;
}
