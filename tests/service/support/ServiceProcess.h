#pragma once

// The update service's own executable and other servers the tests start as
// processes, and the one way a test waits until such a server answers.

#include "ChildProcess.h"
#include "LoopbackClient.h"
#include "WaitUntil.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace dv::test {

// True when something takes connections on the loopback port.
inline bool listensOn(int port) {
    try {
        LoopbackSocket probe(port);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Waits until the server started as `server` takes connections on the port;
// false when it ended or did not in time.
inline bool waitUntilListening(ChildProcess& server, int port, std::chrono::milliseconds limit) {
    return waitUntil(
               [&] {
                   return listensOn(port) ||
                          server.waitExit(std::chrono::milliseconds(0)).has_value();
               },
               limit, std::chrono::milliseconds(20)) &&
           listensOn(port);
}

// The update service's executable, started with these arguments (the
// folder, then the port, ...).
inline std::unique_ptr<ChildProcess> startServiceProcess(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), DVCD_UPDATE_SERVICE);
    return std::make_unique<ChildProcess>(arguments);
}

// The port from its line "serving <folder> on http://127.0.0.1:<port> ...",
// once the service has written it; -1 when it did not in time.
inline int servingPort(const ChildProcess& service,
                       std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto line = service.waitForLine("serving ", limit);
    const std::string url = "http://127.0.0.1:";
    const std::size_t at = line ? line->find(url) : std::string::npos;
    return at == std::string::npos ? -1 : std::atoi(line->c_str() + at + url.size());
}

} // namespace dv::test
