#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace dv {

class AccessLog;
class ConnectionWorker;

// The listening socket: takes connections and hands them to the workers in
// turn. Runs on the first worker's loop. Refuses to share its port
// (SO_REUSEADDR only, which on Linux never lets two listeners bind it).
// A connection taken is a descriptor before its worker counts it; so that a
// worker whose thread lags cannot gather them past the open-file limit, the
// acceptor waits while a few are on their way.
class ServiceAcceptor {
  public:
    // Connections taken but not yet in a worker's hands, at most.
    static constexpr std::size_t kOnTheirWay = 8;

    ServiceAcceptor(std::vector<std::unique_ptr<ConnectionWorker>>& workers, AccessLog& log);

    // Returns the port, or -1 with the reason in error.
    int listen(const std::string& address, int port, std::string& error);
    void start();
    void close();
    // On the acceptor's thread: takes the connections waiting in the
    // listener's queue (their clients have sent their requests, or are
    // sending them), hands them over, and closes the listener.
    void takeWaitingAndClose();

  private:
    void accept();
    void pause(const boost::system::error_code& ec);
    void handedOver(); // on the worker's thread

    std::vector<std::unique_ptr<ConnectionWorker>>& workers_;
    AccessLog& log_;
    boost::asio::ip::tcp::acceptor acceptor_;
    boost::asio::steady_timer retry_;
    std::size_t next_ = 0;
    bool pausedLogged_ = false;
    std::atomic<std::size_t> onTheirWay_{0};
    bool held_ = false; // waiting for a worker to take one; on the acceptor's thread
};

} // namespace dv
