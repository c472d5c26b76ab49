// dvcd-update-service [OPTIONS] FOLDER [PORT] [ADDRESS]
//
// Serves the update documents of FOLDER ("<disc id>.xml") on ADDRESS:PORT
// (default 127.0.0.1:8080) until SIGTERM or SIGINT.

#include "ServiceAcceptor.h"
#include "ServiceCommandLine.h"
#include "UpdateService.h"

#include "LogOutput.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

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
        limit.rlim_cur =
            limit.rlim_max == RLIM_INFINITY ? wanted : std::min(wanted, limit.rlim_max);
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    if (limit.rlim_cur < needed + threads) {
        std::cerr << "dvcd-update-service: only " << limit.rlim_cur
                  << " open files allowed, too few for " << threads
                  << " worker threads; raise the limit (ulimit -n) or give fewer --threads\n";
        return false;
    }
    if (limit.rlim_cur < wanted) {
        // Too few files even for the spare: half of them for connections,
        // fewer when the loops need more, in equal shares for the workers.
        rlim_t room = limit.rlim_cur > 2 * spare
                          ? limit.rlim_cur - spare
                          : std::min(limit.rlim_cur / 2,
                                     limit.rlim_cur > needed ? limit.rlim_cur - needed : 0);
        if (room >= threads)
            room -= room % threads;
        settings.maxConnections = std::max<std::size_t>(1, static_cast<std::size_t>(room));
        std::cerr << "dvcd-update-service: only " << limit.rlim_cur
                  << " open files allowed; at most " << settings.maxConnections << " connections\n";
    }
    return true;
}

std::string url(const std::string& address, int port) {
    const bool v6 = address.find(':') != std::string::npos;
    return "http://" + (v6 ? "[" + address + "]" : address) + ":" + std::to_string(port);
}

const char* signalName(int number) {
    switch (number) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    default:
        return "a signal";
    }
}

} // namespace

int main(int argc, char** argv) {
    dv::ServiceCommandLine line = dv::ServiceCommandLine::parse({argv + 1, argv + argc});
    if (line.help) {
        std::cout << dv::ServiceCommandLine::kUsage;
        return 0;
    }
    if (!line.error.empty()) {
        std::cerr << "dvcd-update-service: " << line.error << "\n"
                  << dv::ServiceCommandLine::kUsage;
        return 2;
    }
    if (!makeRoomForConnections(line.settings))
        return 1;

    // A reader that went away (a closed log pipe, a client) is no reason to
    // end. The other signals are taken by one thread, before any other
    // thread starts, so none of them ends the service unannounced.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t signals;
    sigemptyset(&signals);
    for (const int number : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGUSR2})
        sigaddset(&signals, number);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    // The log never holds the service up, however slowly it is read.
    dv::DescriptorLogOutput output(STDOUT_FILENO);
    dv::UpdateService service(line.folder, output, line.settings);
    const int port = service.bind(line.address, line.port);
    if (port < 0) {
        std::cerr << "dvcd-update-service: cannot listen on " << url(line.address, line.port)
                  << ": " << service.bindError()
                  << (service.bindError() == "Address already in use"
                          ? " (is another service running there?)"
                          : "")
                  << "\n";
        return 1;
    }
    std::atomic<bool> ended{false};
    std::thread taker([&] {
        while (true) {
            int received = 0;
            if (sigwait(&signals, &received) != 0)
                continue;
            if (ended)
                return;
            if (received == SIGHUP) {
                service.rescan();
            } else if (received == SIGUSR1 || received == SIGUSR2) {
                service.logEvent("state: " + service.state());
            } else {
                service.logEvent(
                    "stopping on signal " + std::to_string(received) + " (" + signalName(received) +
                    "): no new connections; the requests already coming are answered for at most " +
                    std::to_string(dv::UpdateService::kDrain.count() / 1000) + " s");
                service.stop();
            }
        }
    });
    service.logEvent("serving " + line.folder + " on " + url(line.address, port) +
                     " (documents cached for " +
                     std::to_string(line.settings.cacheLifetime.count()) + " s, at most " +
                     std::to_string(line.settings.maxConnections) +
                     " connections; SIGHUP reads the folder again)");
    service.run();
    ended = true;
    pthread_kill(taker.native_handle(), SIGTERM);
    taker.join();
    return 0;
}
