#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/span_body.hpp>
#include <boost/beast/http/string_body.hpp>

#include "UpdateReplies.h"

#include <list>
#include <memory>
#include <optional>
#include <string>

namespace dv {

class ConnectionWorker;

// One client connection: reads requests under deadlines, answers them, and
// keeps the connection for the next one. A request's whole header must
// arrive within the header deadline, however the client spaces its bytes;
// its body within the body deadline; a kept-alive connection may wait for
// its next request only so long; an answer must be taken within the write
// deadline. A client that misses a deadline is cut.
class HttpConnection : public std::enable_shared_from_this<HttpConnection> {
public:
    HttpConnection(boost::asio::ip::tcp::socket socket, ConnectionWorker& worker);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    void start();
    // Closes the connection to make room for another; only while it waits.
    void evict();
    bool evicted() const { return evicted_; }

    // The worker's bookkeeping of waiting connections.
    std::list<HttpConnection*>::iterator place;
    bool listed = false;

    static constexpr std::size_t kHeaderLimit = 8 * 1024;
    static constexpr std::size_t kBodyLimit = 8 * 1024;

private:
    enum class Phase { Idle, Header, Body, Answer, Closing };

    void awaitRequest();
    void startRequest();
    void readRequestLine();
    bool mendRequestLine();
    void readHeader();
    void readBody();
    void answer();
    void send(Reply reply, unsigned version, bool keepAlive);
    void refuse(unsigned status);
    void failed(const boost::beast::error_code& ec);
    void closeGently();
    void drain();
    std::string_view buffered() const;

    ConnectionWorker& worker_;
    boost::beast::tcp_stream stream_;
    boost::beast::flat_buffer buffer_;
    std::optional<boost::beast::http::request_parser<boost::beast::http::string_body>> parser_;
    std::optional<boost::beast::http::response<boost::beast::http::span_body<const char>>> response_;
    Reply reply_;
    std::string client_;
    Phase phase_ = Phase::Idle;
    bool evicted_ = false;
};

} // namespace dv
