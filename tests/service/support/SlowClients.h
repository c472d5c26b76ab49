#pragma once

// Clients that hold connections with a request header they never finish,
// sending one more header line now and then, and a probe that times a whole
// request beside them.

#include "LoopbackClient.h"
#include "WaitUntil.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace dv::test {

class SlowClients {
  public:
    SlowClients(int port, int count, milliseconds every) : every_(every), started_(Clock::now()) {
        for (int i = 0; i < count; ++i) {
            auto socket = std::make_unique<LoopbackSocket>(port);
            socket->send("GET /dvcd/autoupdate.asp?discid=slow HTTP/1.1\r\nHost: test\r\n");
            clients_.push_back({std::move(socket), {}});
        }
        sender_ = std::thread([this] { keepSending(); });
    }
    ~SlowClients() {
        stop_ = true;
        sender_.join();
    }
    SlowClients(const SlowClients&) = delete;
    SlowClients& operator=(const SlowClients&) = delete;

    // Waits until every client still held has sent that many header lines
    // of its own; false when that did not happen in time.
    bool waitForLines(int lines, milliseconds limit) const {
        return waitUntil([&] { return linesSent_ >= lines; }, limit);
    }

    // How many the server has closed so far.
    int cut() const {
        const std::lock_guard lock(mutex_);
        int n = 0;
        for (const Client& c : clients_)
            n += c.cutAfter ? 1 : 0;
        return n;
    }
    // How long after the start the first one was closed, if any was.
    std::optional<milliseconds> firstCut() const {
        const std::lock_guard lock(mutex_);
        std::optional<milliseconds> first;
        for (const Client& c : clients_)
            if (c.cutAfter && (!first || *c.cutAfter < *first))
                first = c.cutAfter;
        return first;
    }

  private:
    struct Client {
        std::unique_ptr<LoopbackSocket> socket;
        std::optional<milliseconds> cutAfter;
    };

    void keepSending() {
        int line = 0;
        auto next = Clock::now() + every_;
        while (!stop_) {
            {
                const std::lock_guard lock(mutex_);
                for (Client& c : clients_)
                    if (!c.cutAfter && c.socket->closedWithin(milliseconds(0)))
                        c.cutAfter =
                            std::chrono::duration_cast<milliseconds>(Clock::now() - started_);
            }
            if (Clock::now() >= next) {
                ++line;
                const std::lock_guard lock(mutex_);
                for (Client& c : clients_)
                    if (!c.cutAfter)
                        c.socket->send("X-Slow-" + std::to_string(line) + ": still coming\r\n");
                linesSent_ = line;
                next += every_;
            }
            std::this_thread::sleep_for(milliseconds(20));
        }
    }

    const milliseconds every_;
    const Clock::time_point started_;
    mutable std::mutex mutex_;
    std::vector<Client> clients_;
    std::atomic<bool> stop_{false};
    std::atomic<int> linesSent_{0};
    std::thread sender_;
};

// The time a fresh connection takes to get a whole answer to a GET; the
// best of a few tries, so that one unlucky moment of a busy machine does not
// count. Nothing when no try was answered within five seconds.
inline std::optional<milliseconds> probeLatency(int port, const std::string& target,
                                                int tries = 3) {
    std::optional<milliseconds> best;
    for (int i = 0; i < tries; ++i) {
        const auto start = Clock::now();
        const auto answer = httpGet(port, target);
        const auto took = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
        if (answer && answer->status == 200 && (!best || took < *best))
            best = took;
    }
    return best;
}

} // namespace dv::test
