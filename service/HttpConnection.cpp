#include "HttpConnection.h"

#include "AccessLog.h"
#include "ConnectionWorker.h"

#include <boost/asio/error.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/buffers_suffix.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/status.hpp>

#include <array>
#include <cstring>

namespace dv {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using boost::system::error_code;

namespace {

constexpr std::size_t kChunk = 4096;
// Room for a header at its limit, a body at its limit and a pipelined
// request behind them.
constexpr std::size_t kBufferLimit = 2 * RequestReader::kHeaderLimit + RequestReader::kBodyLimit;
constexpr std::chrono::milliseconds kLinger{2000};

} // namespace

HttpConnection::HttpConnection(Socket socket, ConnectionWorker& worker)
    : worker_(worker), socket_(std::move(socket)), buffer_(kBufferLimit) {
    error_code ec;
    const auto peer = socket_.remote_endpoint(ec);
    client_ = ec ? "-" : peer.address().to_string();
    socket_.non_blocking(true, ec); // answers are tried at once, without a trip through the loop
}

HttpConnection::~HttpConnection() {
    worker_.gone(*this);
}

void HttpConnection::start() {
    startRequest(); // the header deadline runs from the connection's start
}

// Waiting connections are kept in the order they began to wait: the parts
// of a request go on with the wait that its first byte ended, so a client
// cannot move to the back of the line by sending slowly.
void HttpConnection::enter(Phase phase, std::chrono::milliseconds limit) {
    phase_ = phase;
    deadline_ = Clock::now() + limit;
    if (phase == Phase::Answer)
        worker_.busy(*this);
    else if (phase == Phase::Idle || phase == Phase::Closing || !worker_.isWaiting(*this))
        worker_.waiting(*this);
}

bool HttpConnection::expire(Clock::time_point now) {
    if (now < deadline_ || timedOut_ || evicted_)
        return false;
    timedOut_ = true;
    error_code ignored;
    socket_.close(ignored);
    return true;
}

void HttpConnection::closeIfIdle() {
    error_code ec;
    if (phase_ != Phase::Idle || buffer_.size() > 0 || socket_.available(ec) > 0)
        return;
    socket_.close(ec);
}

bool HttpConnection::cut() {
    const bool busy = (phase_ == Phase::Header && (buffer_.size() > 0 || reader_.gotSome())) ||
                      phase_ == Phase::Body || phase_ == Phase::Answer;
    error_code ignored;
    socket_.close(ignored);
    return busy;
}

void HttpConnection::evict() {
    evicted_ = true;
    error_code ignored;
    socket_.close(ignored);
}

std::string_view HttpConnection::buffered() const {
    const auto data = buffer_.data();
    return {static_cast<const char*>(data.data()), data.size()};
}

void HttpConnection::awaitRequest() {
    enter(Phase::Idle, worker_.settings().idleTimeout);
    socket_.async_read_some(buffer_.prepare(kChunk),
                            [self = shared_from_this()](const error_code& ec, std::size_t n) {
                                if (ec)
                                    return self->failed(ec);
                                self->buffer_.commit(n);
                                self->startRequest();
                            });
}

void HttpConnection::startRequest() {
    // One deadline for the whole header: it is not renewed as bytes come.
    enter(Phase::Header, worker_.settings().headerTimeout);
    reader_.start();
    readRequest();
}

// Parses what has come, here and now: a request that arrived whole is
// answered in the same turn of the loop as its bytes.
void HttpConnection::readRequest() {
    const RequestReader::Step step = reader_.read(buffer_);
    if (step.kind == RequestReader::Step::Kind::Refused)
        return refuse(step.status);
    if (step.kind == RequestReader::Step::Kind::Done)
        return answer();
    if (reader_.headerDone() && phase_ == Phase::Header)
        enter(Phase::Body, worker_.settings().bodyTimeout);
    readMore();
}

void HttpConnection::readMore() {
    if (buffer_.max_size() - buffer_.size() < kChunk)
        return refuse(431);
    socket_.async_read_some(buffer_.prepare(kChunk),
                            [self = shared_from_this()](const error_code& ec, std::size_t n) {
                                if (ec)
                                    return self->failed(ec);
                                self->buffer_.commit(n);
                                self->readRequest();
                            });
}

void HttpConnection::answer() {
    const auto& request = reader_.request();
    const RequestFacts facts{request.method_string(), request.target(),
                             request[http::field::if_none_match],
                             request[http::field::if_modified_since]};
    Reply reply = worker_.replies().answer(facts);
    worker_.log().request(client_, facts.method, facts.target, reply.status, reply.body.size());
    send(std::move(reply), request.version(), request.keep_alive() && !worker_.stopping());
}

// The answer's header is written here, from parts the replies made safe
// (no line breaks can come from a request); Beast gives the reason phrase.
void HttpConnection::send(Reply reply, unsigned version, bool keepAlive) {
    enter(Phase::Answer, worker_.settings().writeTimeout);
    reply_ = std::move(reply);
    head_.assign(version == 10 ? "HTTP/1.0 " : "HTTP/1.1 ");
    head_ += std::to_string(reply_.status);
    head_ += ' ';
    head_ += http::obsolete_reason(static_cast<http::status>(reply_.status));
    head_ += "\r\n";
    for (const auto& [name, value] : reply_.headers) {
        head_ += name;
        head_ += ": ";
        head_ += value;
        head_ += "\r\n";
    }
    head_ += "Date: ";
    head_ += worker_.date();
    head_ += "\r\n";
    if (reply_.contentLength) {
        head_ += "Content-Length: ";
        head_ += std::to_string(*reply_.contentLength);
        head_ += "\r\n";
    }
    if (!keepAlive)
        head_ += "Connection: close\r\n";
    else if (version == 10)
        head_ += "Connection: keep-alive\r\n";
    head_ += "\r\n";
    // Most answers fit the socket's buffer at once; only the rest waits.
    const std::array<asio::const_buffer, 2> parts{asio::buffer(head_), asio::buffer(reply_.body)};
    error_code ec;
    const std::size_t written = socket_.write_some(parts, ec);
    if (ec && ec != asio::error::would_block)
        return failed(ec);
    if (written == head_.size() + reply_.body.size())
        return sent(keepAlive);
    beast::buffers_suffix<std::array<asio::const_buffer, 2>> rest(parts);
    rest.consume(written);
    asio::async_write(
        socket_, rest,
        [self = shared_from_this(), keepAlive](const error_code& failure, std::size_t) {
            if (failure)
                return self->failed(failure);
            self->sent(keepAlive);
        });
}

void HttpConnection::sent(bool keepAlive) {
    reader_.clear();
    reply_ = {};
    if (!keepAlive)
        return closeGently();
    if (buffer_.size() == 0)
        return awaitRequest();
    // A pipelined request: its turn comes after the other connections' turns.
    worker_.waiting(*this);
    asio::post(socket_.get_executor(), [self = shared_from_this()] { self->startRequest(); });
}

void HttpConnection::refuse(unsigned status) {
    worker_.log().request(client_, "-", {}, status, 0);
    send(UpdateReplies::refusal(status), 11, false);
}

void HttpConnection::failed(const error_code& ec) {
    if (evicted_ || phase_ == Phase::Closing)
        return;
    const bool reading = phase_ == Phase::Header || phase_ == Phase::Body;
    if (timedOut_) {
        // Cut without an answer: a client this slow would not read one.
        if (reading && (buffer_.size() > 0 || reader_.gotSome()))
            worker_.log().request(client_, "-", {}, 408, 0);
        return;
    }
    if (!reading || ec == asio::error::operation_aborted || ec == http::error::end_of_stream ||
        ec == asio::error::eof || ec == asio::error::connection_reset ||
        ec == http::error::partial_message)
        return; // the client went away, or the service is stopping
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
    error_code ignored;
    socket_.shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
    enter(Phase::Closing, kLinger);
    buffer_.clear();
    drain();
}

void HttpConnection::drain() {
    socket_.async_read_some(buffer_.prepare(kChunk),
                            [self = shared_from_this()](const error_code& ec, std::size_t) {
                                if (ec)
                                    return;
                                self->buffer_.clear();
                                self->drain();
                            });
}

} // namespace dv
