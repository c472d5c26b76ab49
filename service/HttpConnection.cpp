#include "HttpConnection.h"

#include "AccessLog.h"
#include "ConnectionWorker.h"

#include <boost/asio/error.hpp>
#include <boost/beast/core/error.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include <cstring>

namespace dv {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

namespace {

constexpr std::size_t kChunk = 4096;
// Room for a header at its limit, a body at its limit and a pipelined
// request behind them.
constexpr std::size_t kBufferLimit = 2 * HttpConnection::kHeaderLimit + HttpConnection::kBodyLimit;
constexpr auto kLinger = std::chrono::seconds(2);

} // namespace

HttpConnection::HttpConnection(asio::ip::tcp::socket socket, ConnectionWorker& worker)
    : worker_(worker), stream_(std::move(socket)), buffer_(kBufferLimit) {
    beast::error_code ec;
    const auto peer = stream_.socket().remote_endpoint(ec);
    client_ = ec ? "-" : peer.address().to_string();
}

HttpConnection::~HttpConnection() { worker_.gone(*this); }

void HttpConnection::start() {
    worker_.waiting(*this);
    startRequest(); // the header deadline runs from the connection's start
}

void HttpConnection::evict() {
    evicted_ = true;
    phase_ = Phase::Closing;
    stream_.close();
}

std::string_view HttpConnection::buffered() const {
    const auto data = buffer_.data();
    return {static_cast<const char*>(data.data()), data.size()};
}

void HttpConnection::awaitRequest() {
    phase_ = Phase::Idle;
    worker_.waiting(*this);
    if (buffer_.size() > 0) { // pipelined
        startRequest();
        return;
    }
    stream_.expires_after(worker_.settings().idleTimeout);
    stream_.async_read_some(buffer_.prepare(kChunk),
                            [self = shared_from_this()](const beast::error_code& ec, std::size_t n) {
                                if (ec)
                                    return self->failed(ec);
                                self->buffer_.commit(n);
                                self->startRequest();
                            });
}

void HttpConnection::startRequest() {
    phase_ = Phase::Header;
    // One deadline for the whole header: it is not renewed as bytes come.
    stream_.expires_after(worker_.settings().headerTimeout);
    parser_.emplace();
    parser_->header_limit(kHeaderLimit);
    parser_->body_limit(kBodyLimit);
    readRequestLine();
}

void HttpConnection::readRequestLine() {
    if (buffered().find('\n') != std::string_view::npos) {
        if (!mendRequestLine())
            return refuse(414);
        return readHeader();
    }
    if (buffer_.size() >= kHeaderLimit)
        return refuse(414);
    stream_.async_read_some(buffer_.prepare(kChunk),
                            [self = shared_from_this()](const beast::error_code& ec, std::size_t n) {
                                if (ec)
                                    return self->failed(ec);
                                self->buffer_.commit(n);
                                self->readRequestLine();
                            });
}

// Older discs send their label as it is, blanks included, so the request
// line may hold more than two blanks. The target is what lies between the
// method and the version; its blanks become %20 before the HTTP parser sees
// it. False when the mended line no longer fits.
bool HttpConnection::mendRequestLine() {
    const std::string_view data = buffered();
    std::string_view line = data.substr(0, data.find('\n'));
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    const std::size_t first = line.find(' ');
    const std::size_t last = line.rfind(' ');
    if (first == std::string_view::npos || line.find(' ', first + 1) == last ||
        !line.substr(last + 1).starts_with("HTTP/"))
        return true;
    std::string mended(line.substr(0, first + 1));
    for (const char c : line.substr(first + 1, last - first - 1))
        mended += c == ' ' ? std::string("%20") : std::string(1, c);
    mended += data.substr(last);
    if (mended.size() > kBufferLimit)
        return false;
    buffer_.clear();
    const auto room = buffer_.prepare(mended.size());
    std::memcpy(room.data(), mended.data(), mended.size());
    buffer_.commit(mended.size());
    return true;
}

void HttpConnection::readHeader() {
    http::async_read_header(stream_, buffer_, *parser_,
                            [self = shared_from_this()](const beast::error_code& ec, std::size_t) {
                                if (ec)
                                    return self->failed(ec);
                                if (self->parser_->is_done())
                                    return self->answer();
                                self->readBody();
                            });
}

void HttpConnection::readBody() {
    phase_ = Phase::Body;
    stream_.expires_after(worker_.settings().bodyTimeout);
    http::async_read(stream_, buffer_, *parser_, [self = shared_from_this()](const beast::error_code& ec, std::size_t) {
        if (ec)
            return self->failed(ec);
        self->answer();
    });
}

void HttpConnection::answer() {
    const auto& request = parser_->get();
    const RequestFacts facts{request.method_string(), request.target(), request[http::field::if_none_match],
                             request[http::field::if_modified_since]};
    Reply reply = worker_.replies().answer(facts);
    worker_.log().request(client_, facts.method, facts.target, reply.status, reply.body.size());
    send(std::move(reply), request.version(), request.keep_alive() && !worker_.stopping());
}

void HttpConnection::send(Reply reply, unsigned version, bool keepAlive) {
    phase_ = Phase::Answer;
    worker_.busy(*this);
    reply_ = std::move(reply);
    response_.emplace(static_cast<http::status>(reply_.status), version);
    for (const auto& [name, value] : reply_.headers)
        response_->set(name, value);
    response_->set(http::field::date, worker_.date());
    if (reply_.contentLength)
        response_->content_length(*reply_.contentLength);
    response_->body() = {reply_.body.data(), reply_.body.size()};
    response_->keep_alive(keepAlive);
    stream_.expires_after(worker_.settings().writeTimeout);
    http::async_write(stream_, *response_,
                      [self = shared_from_this(), keepAlive](const beast::error_code& ec, std::size_t) {
                          self->response_.reset();
                          self->parser_.reset();
                          if (ec && ec != http::error::end_of_stream)
                              return self->failed(ec);
                          if (!keepAlive)
                              return self->closeGently();
                          self->awaitRequest();
                      });
}

void HttpConnection::refuse(unsigned status) {
    worker_.log().request(client_, "-", {}, status, 0);
    send(UpdateReplies::refusal(status), 11, false);
}

void HttpConnection::failed(const beast::error_code& ec) {
    if (ec == asio::error::operation_aborted || evicted_ || phase_ == Phase::Closing)
        return;
    const bool reading = phase_ == Phase::Header || phase_ == Phase::Body;
    if (ec == beast::error::timeout) {
        // Cut without an answer: a client this slow would not read one.
        if (reading && buffer_.size() > 0)
            worker_.log().request(client_, "-", {}, 408, 0);
        return;
    }
    if (!reading || ec == http::error::end_of_stream || ec == asio::error::eof ||
        ec == asio::error::connection_reset || ec == http::error::partial_message)
        return; // the client went away
    if (ec == http::error::header_limit || ec == http::error::buffer_overflow)
        return refuse(431);
    if (ec == http::error::body_limit)
        return refuse(413);
    if (ec.category() == http::make_error_code(http::error::bad_target).category())
        return refuse(400);
}

// The answer is out; the client may still be sending. Reading what comes
// for a moment before closing keeps a reset from destroying the answer in
// flight.
void HttpConnection::closeGently() {
    phase_ = Phase::Closing;
    beast::error_code ignored;
    stream_.socket().shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
    worker_.waiting(*this);
    buffer_.clear();
    stream_.expires_after(kLinger);
    drain();
}

void HttpConnection::drain() {
    stream_.async_read_some(buffer_.prepare(kChunk), [self = shared_from_this()](const beast::error_code& ec, std::size_t) {
        if (ec)
            return;
        self->buffer_.clear();
        self->drain();
    });
}

} // namespace dv
