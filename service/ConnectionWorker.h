#pragma once

#include "HttpConnection.h"
#include "ServiceSettings.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/intrusive/list.hpp>

#include <atomic>
#include <cstdint>
#include <ctime>
#include <string>

namespace dv {

class AccessLog;
class UpdateReplies;

// One thread's share of the connections: its own event loop, the
// connections on it, the order in which they began to wait for their
// clients, and a tick that cuts those whose deadline has passed.
// Everything but the counters is touched on that thread only.
class ConnectionWorker {
  public:
    ConnectionWorker(const ServiceSettings& settings, const UpdateReplies& replies, AccessLog& log,
                     std::size_t capacity);
    ~ConnectionWorker();
    ConnectionWorker(const ConnectionWorker&) = delete;
    ConnectionWorker& operator=(const ConnectionWorker&) = delete;

    boost::asio::io_context& context() { return context_; }
    // Runs the loop until stop() or the end of a drain; stop() may come
    // from any thread and ends the loop at once.
    void run();
    void stop();
    // On this worker's thread: idle connections are closed, the others may
    // finish the request they are reading and its answer until the
    // deadline; then the loop ends. Answers from now on close their
    // connections.
    void drain(std::chrono::steady_clock::time_point deadline);
    bool stopping() const { return stopping_; }
    // Connections cut at the end of a drain, still reading or answering.
    std::uint64_t cutAtDrainEnd() const { return cutAtDrainEnd_; }

    // Takes a new connection on this worker's thread. At capacity the
    // connection that has waited longest for its client is closed to make
    // room; when every one is busy answering, the new one is turned away.
    void adopt(boost::asio::ip::tcp::socket socket);

    // A connection waits for its client from now (idle, or reading a request).
    void waiting(HttpConnection& connection);
    bool isWaiting(const HttpConnection& connection) const;
    // A connection is answering: it cannot be closed for room.
    void busy(HttpConnection& connection);
    void gone(HttpConnection& connection);

    const ServiceSettings& settings() const { return settings_; }
    const UpdateReplies& replies() const { return replies_; }
    AccessLog& log() { return log_; }
    // This second as an HTTP date, for the Date header.
    const std::string& date();

    std::size_t openConnections() const { return open_; }
    std::uint64_t closedForRoom() const { return closedForRoom_; }
    std::uint64_t turnedAway() const { return turnedAway_; }

    // How often deadlines are looked at: a deadline is kept to within this.
    static constexpr std::chrono::milliseconds kTick{100};

  private:
    template <HttpConnection::Hook HttpConnection::*hook>
    using Connections = boost::intrusive::list<
        HttpConnection, boost::intrusive::member_hook<HttpConnection, HttpConnection::Hook, hook>,
        boost::intrusive::constant_time_size<false>>;

    void tick();

    const ServiceSettings& settings_;
    const UpdateReplies& replies_;
    AccessLog& log_;
    const std::size_t capacity_;
    Connections<&HttpConnection::everyHook> every_;
    Connections<&HttpConnection::waitingHook> waiting_; // longest waiting first
    std::atomic<std::size_t> open_{0};
    std::atomic<std::uint64_t> closedForRoom_{0};
    std::atomic<std::uint64_t> turnedAway_{0};
    std::atomic<bool> stopping_{false};
    bool draining_ = false;
    std::chrono::steady_clock::time_point drainDeadline_;
    std::atomic<std::uint64_t> cutAtDrainEnd_{0};
    std::time_t dateSecond_ = 0;
    std::string date_;
    // Last, so that they go first: the connections the loop still holds
    // report their end to the members above.
    boost::asio::io_context context_{1};
    boost::asio::executor_work_guard<boost::asio::io_context::executor_type> work_{
        context_.get_executor()};
    boost::asio::steady_timer ticker_{context_};
};

} // namespace dv
