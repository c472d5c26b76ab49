#pragma once

#include "RequestReader.h"
#include "UpdateReplies.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/intrusive/list_hook.hpp>

#include <chrono>
#include <memory>
#include <string>

namespace dv {

class ConnectionWorker;

// One client connection: reads requests under deadlines, answers them, and
// keeps the connection for the next one. A request's whole header must
// arrive within the header deadline, however the client spaces its bytes;
// its body within the body deadline; a kept-alive connection may wait for
// its next request only so long; an answer must be taken within the write
// deadline. Deadlines are kept here and enforced by the worker's tick, so a
// request costs no timer operations. Boost.Beast parses the requests; a
// request that arrives whole is parsed and answered in the turn of the loop
// that read it, as nginx does.
class HttpConnection : public std::enable_shared_from_this<HttpConnection> {
  public:
    using Clock = std::chrono::steady_clock;
    // A socket bound to one worker's loop, without a type-erased executor.
    using Socket = boost::asio::basic_stream_socket<boost::asio::ip::tcp,
                                                    boost::asio::io_context::executor_type>;

    HttpConnection(Socket socket, ConnectionWorker& worker);
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    void start();
    // Cuts the connection when its deadline has passed; true if it did.
    bool expire(Clock::time_point now);
    // The service stops: a connection waiting for its next request, with
    // none begun, is closed.
    void closeIfIdle();
    // The end of the drain: closed whatever it does; true if it was still
    // reading a request or answering one.
    bool cut();
    // Closes the connection to make room for another; only while it waits.
    void evict();
    bool evicted() const { return evicted_; }

    // The worker's bookkeeping: its list of all connections, and of those
    // waiting for their clients. Linking allocates nothing; destruction unlinks.
    using Hook = boost::intrusive::list_member_hook<
        boost::intrusive::link_mode<boost::intrusive::auto_unlink>>;
    Hook everyHook;
    Hook waitingHook;

  private:
    enum class Phase { Idle, Header, Body, Answer, Closing };

    void awaitRequest();
    void startRequest();
    void readRequest();
    void readMore();
    void answer();
    void send(Reply reply, unsigned version, bool keepAlive);
    void sent(bool keepAlive);
    void refuse(unsigned status);
    void failed(const boost::system::error_code& ec);
    void closeGently();
    void drain();
    void enter(Phase phase, std::chrono::milliseconds limit);
    std::string_view buffered() const;

    ConnectionWorker& worker_;
    Socket socket_;
    boost::beast::flat_buffer buffer_;
    RequestReader reader_;
    Reply reply_;
    std::string head_; // the answer's status line and headers, its memory kept for the next
    std::string client_;
    Phase phase_ = Phase::Idle;
    Clock::time_point deadline_;
    bool timedOut_ = false;
    bool evicted_ = false;
};

} // namespace dv
