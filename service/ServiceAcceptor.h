#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include <memory>
#include <string>
#include <vector>

namespace dv {

class AccessLog;
class ConnectionWorker;

// The listening socket: takes connections and hands them to the workers in
// turn. Runs on the first worker's loop. Refuses to share its port
// (SO_REUSEADDR only, which on Linux never lets two listeners bind it).
class ServiceAcceptor {
public:
    ServiceAcceptor(std::vector<std::unique_ptr<ConnectionWorker>>& workers, AccessLog& log);

    // Returns the port, or -1 with the reason in error.
    int listen(const std::string& address, int port, std::string& error);
    void start();
    void close();

private:
    void accept();
    void pause(const boost::system::error_code& ec);

    std::vector<std::unique_ptr<ConnectionWorker>>& workers_;
    AccessLog& log_;
    boost::asio::ip::tcp::acceptor acceptor_;
    boost::asio::steady_timer retry_;
    std::size_t next_ = 0;
    bool pausedLogged_ = false;
};

} // namespace dv
