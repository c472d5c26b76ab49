#include "ConnectionWorker.h"

#include "HttpConnection.h"
#include "HttpDate.h"

namespace dv {

ConnectionWorker::ConnectionWorker(const ServiceSettings& settings, const UpdateReplies& replies,
                                   AccessLog& log, std::size_t capacity)
    : settings_(settings), replies_(replies), log_(log), capacity_(capacity) {}

ConnectionWorker::~ConnectionWorker() = default;

void ConnectionWorker::run() {
    tick();
    context_.run();
}

void ConnectionWorker::tick() {
    const auto now = HttpConnection::Clock::now();
    // Cutting one ends it later, from the loop: the list stays as it is.
    for (HttpConnection& connection : every_)
        connection.expire(now);
    // A tick after the drain began at the earliest, so that connections
    // handed over from the listener's queue have come.
    if (draining_ && (every_.empty() || now >= drainDeadline_)) {
        for (HttpConnection& connection : every_)
            if (connection.cut())
                ++cutAtDrainEnd_;
        context_.stop();
        return;
    }
    ticker_.expires_after(kTick);
    ticker_.async_wait([this](const boost::system::error_code& ec) {
        if (!ec)
            tick();
    });
}

void ConnectionWorker::stop() {
    stopping_ = true;
    context_.stop();
}

void ConnectionWorker::drain(std::chrono::steady_clock::time_point deadline) {
    stopping_ = true;
    draining_ = true;
    drainDeadline_ = deadline;
    for (HttpConnection& connection : every_)
        connection.closeIfIdle();
}

void ConnectionWorker::adopt(boost::asio::ip::tcp::socket socket) {
    boost::system::error_code ec;
    if (open_ >= capacity_) {
        if (waiting_.empty()) {
            ++turnedAway_;
            socket.close(ec);
            return;
        }
        HttpConnection& oldest = waiting_.front();
        oldest.waitingHook.unlink();
        oldest.evict();
        --open_;
        ++closedForRoom_;
    }
    // Headers and body leave in one write, but a client's acknowledgement
    // must never hold the next answer back.
    socket.set_option(boost::asio::ip::tcp::no_delay(true), ec);
    const auto protocol = socket.local_endpoint(ec).protocol();
    HttpConnection::Socket own(context_);
    own.assign(protocol, socket.release(ec), ec);
    if (ec)
        return;
    ++open_;
    const auto connection = std::make_shared<HttpConnection>(std::move(own), *this);
    every_.push_back(*connection);
    connection->start();
}

void ConnectionWorker::waiting(HttpConnection& connection) {
    if (connection.waitingHook.is_linked())
        connection.waitingHook.unlink();
    waiting_.push_back(connection);
}

bool ConnectionWorker::isWaiting(const HttpConnection& connection) const {
    return connection.waitingHook.is_linked();
}

void ConnectionWorker::busy(HttpConnection& connection) {
    if (connection.waitingHook.is_linked())
        connection.waitingHook.unlink();
}

void ConnectionWorker::gone(HttpConnection& connection) {
    for (HttpConnection::Hook* hook : {&connection.everyHook, &connection.waitingHook})
        if (hook->is_linked())
            hook->unlink();
    if (!connection.evicted())
        --open_;
}

const std::string& ConnectionWorker::date() {
    const std::time_t now = std::time(nullptr);
    if (now != dateSecond_) {
        dateSecond_ = now;
        date_ = httpDate(now);
    }
    return date_;
}

} // namespace dv
