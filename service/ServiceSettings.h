#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <thread>

namespace dv {

// What the editors may set when they start the update service, with the
// defaults it runs with.
struct ServiceSettings {
    // How long any cache may keep a document before asking again.
    std::chrono::seconds cacheLifetime{300};
    // From a request's first byte (or the connection's start) to the end of
    // its header; a client that sends a line now and then is cut all the same.
    std::chrono::milliseconds headerTimeout{10'000};
    // From the end of the header to the end of the body, if it has one.
    std::chrono::milliseconds bodyTimeout{10'000};
    // How long a kept-alive connection may wait for its next request.
    std::chrono::milliseconds idleTimeout{15'000};
    // How long a client may take to read an answer.
    std::chrono::milliseconds writeTimeout{10'000};
    // Connections held at once. At the bound, the connection that has waited
    // longest for its client makes room for the new one.
    std::size_t maxConnections = 4096;
    // Threads that serve connections; 0: one a processor.
    unsigned threads = 0;

    unsigned workerThreads() const {
        return threads ? threads : std::max(1U, std::thread::hardware_concurrency());
    }
};

} // namespace dv
