#include "ServiceAcceptor.h"

#include "AccessLog.h"
#include "ConnectionWorker.h"

#include <boost/asio/post.hpp>

namespace dv {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

ServiceAcceptor::ServiceAcceptor(std::vector<std::unique_ptr<ConnectionWorker>>& workers,
                                 AccessLog& log)
    : workers_(workers), log_(log), acceptor_(workers.front()->context()),
      retry_(workers.front()->context()) {}

int ServiceAcceptor::listen(const std::string& address, int port, std::string& error) {
    boost::system::error_code ec;
    const asio::ip::address ip = asio::ip::make_address(address, ec);
    if (ec) {
        error = "not an IP address";
        return -1;
    }
    if (port < 0 || port > 65535) {
        error = "no such port";
        return -1;
    }
    const tcp::endpoint endpoint(ip, static_cast<unsigned short>(port));
    acceptor_.open(endpoint.protocol(), ec);
    if (!ec)
        acceptor_.set_option(tcp::acceptor::reuse_address(true), ec);
    if (!ec)
        acceptor_.bind(endpoint, ec);
    if (!ec)
        acceptor_.listen(asio::socket_base::max_listen_connections, ec);
    if (!ec)
        return acceptor_.local_endpoint().port();
    error = ec.message();
    acceptor_.close(ec);
    return -1;
}

void ServiceAcceptor::start() {
    accept();
}

void ServiceAcceptor::close() {
    boost::system::error_code ignored;
    retry_.cancel();
    acceptor_.close(ignored);
}

void ServiceAcceptor::takeWaitingAndClose() {
    boost::system::error_code ec;
    if (acceptor_.is_open())
        acceptor_.non_blocking(true, ec);
    while (acceptor_.is_open() && !ec) {
        ConnectionWorker& worker = *workers_[next_++ % workers_.size()];
        tcp::socket socket(worker.context());
        acceptor_.accept(socket, ec);
        if (!ec)
            asio::post(worker.context(),
                       [&worker, s = std::move(socket)]() mutable { worker.adopt(std::move(s)); });
    }
    close();
}

void ServiceAcceptor::accept() {
    if (onTheirWay_ >= kOnTheirWay) {
        held_ = true; // handedOver() goes on
        return;
    }
    ConnectionWorker& worker = *workers_[next_++ % workers_.size()];
    acceptor_.async_accept(
        worker.context(), [this, &worker](const boost::system::error_code& ec, tcp::socket socket) {
            if (ec == asio::error::operation_aborted || (ec && !acceptor_.is_open()))
                return;
            if (ec)
                return pause(ec);
            // Taken just before the listener closed: still served.
            pausedLogged_ = false;
            ++onTheirWay_;
            asio::post(worker.context(), [this, &worker, s = std::move(socket)]() mutable {
                worker.adopt(std::move(s));
                handedOver();
            });
            if (acceptor_.is_open())
                accept();
        });
}

// The one that brings the count below the limit wakes the acceptor; it
// can only be held at the limit.
void ServiceAcceptor::handedOver() {
    if (onTheirWay_-- != kOnTheirWay)
        return;
    asio::post(acceptor_.get_executor(), [this] {
        if (!held_ || !acceptor_.is_open())
            return;
        held_ = false;
        accept();
    });
}

// Out of file descriptors or the like: the waiting connections stay in the
// backlog until some close; trying again at once would only spin.
void ServiceAcceptor::pause(const boost::system::error_code& ec) {
    if (!pausedLogged_)
        log_.event("cannot take connections (" + ec.message() + "); trying again every 100 ms");
    pausedLogged_ = true;
    retry_.expires_after(std::chrono::milliseconds(100));
    retry_.async_wait([this](const boost::system::error_code& waited) {
        if (!waited)
            accept();
    });
}

} // namespace dv
