#include "ConnectionWorker.h"

#include "HttpConnection.h"
#include "HttpDate.h"

namespace dv {

ConnectionWorker::ConnectionWorker(const ServiceSettings& settings, const UpdateReplies& replies, AccessLog& log,
                                   std::size_t capacity)
    : settings_(settings), replies_(replies), log_(log), capacity_(capacity) {}

ConnectionWorker::~ConnectionWorker() = default;

void ConnectionWorker::run() {
    tick();
    context_.run();
}

void ConnectionWorker::tick() {
    const auto now = HttpConnection::Clock::now();
    // Cutting one ends it later, from the loop: the lists stay as they are.
    for (Connections* list : {&waiting_, &busy_})
        for (HttpConnection& connection : *list)
            connection.expire(now);
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

void ConnectionWorker::adopt(boost::asio::ip::tcp::socket socket) {
    boost::system::error_code ec;
    if (open_ >= capacity_) {
        if (waiting_.empty()) {
            ++turnedAway_;
            socket.close(ec);
            return;
        }
        HttpConnection& oldest = waiting_.front();
        oldest.hook.unlink();
        oldest.list = nullptr;
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
    std::make_shared<HttpConnection>(std::move(own), *this)->start();
}

void ConnectionWorker::move(HttpConnection& connection, Connections& to) {
    if (connection.hook.is_linked())
        connection.hook.unlink();
    to.push_back(connection);
    connection.list = &to;
}

void ConnectionWorker::waiting(HttpConnection& connection) { move(connection, waiting_); }

bool ConnectionWorker::isWaiting(const HttpConnection& connection) const { return connection.list == &waiting_; }

void ConnectionWorker::busy(HttpConnection& connection) { move(connection, busy_); }

void ConnectionWorker::gone(HttpConnection& connection) {
    if (connection.hook.is_linked())
        connection.hook.unlink();
    connection.list = nullptr;
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
