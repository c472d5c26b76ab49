#include "ConnectionWorker.h"

#include "HttpConnection.h"
#include "HttpDate.h"

namespace dv {

ConnectionWorker::ConnectionWorker(const ServiceSettings& settings, const UpdateReplies& replies, AccessLog& log,
                                   std::size_t capacity)
    : settings_(settings), replies_(replies), log_(log), capacity_(capacity) {}

ConnectionWorker::~ConnectionWorker() = default;

void ConnectionWorker::run() { context_.run(); }

void ConnectionWorker::stop() {
    stopping_ = true;
    context_.stop();
}

void ConnectionWorker::adopt(boost::asio::ip::tcp::socket socket) {
    if (open_ >= capacity_) {
        if (waiting_.empty()) {
            ++turnedAway_;
            boost::system::error_code ignored;
            socket.close(ignored);
            return;
        }
        HttpConnection& oldest = *waiting_.front();
        unlist(oldest);
        oldest.evict();
        --open_;
        ++closedForRoom_;
    }
    boost::system::error_code ignored;
    // Headers and body leave in separate writes; without this each answer
    // would wait for the client's delayed acknowledgement.
    socket.set_option(boost::asio::ip::tcp::no_delay(true), ignored);
    ++open_;
    std::make_shared<HttpConnection>(std::move(socket), *this)->start();
}

void ConnectionWorker::waiting(HttpConnection& connection) {
    unlist(connection);
    connection.place = waiting_.insert(waiting_.end(), &connection);
    connection.listed = true;
}

void ConnectionWorker::busy(HttpConnection& connection) { unlist(connection); }

void ConnectionWorker::gone(HttpConnection& connection) {
    unlist(connection);
    if (!connection.evicted())
        --open_;
}

void ConnectionWorker::unlist(HttpConnection& connection) {
    if (!connection.listed)
        return;
    waiting_.erase(connection.place);
    connection.listed = false;
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
