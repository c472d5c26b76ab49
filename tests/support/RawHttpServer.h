#pragma once

// A one-connection-at-a-time HTTP server on the loopback interface, on a
// thread of its own so that it keeps sending while the test's event loop is
// busy. Each connection's request is read, then `answer` writes whatever it
// likes to the socket; it learns that the client has gone by a failed write.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

namespace dv::test {

class RawHttpServer {
  public:
    // Writes all of `data`; false once the client has gone or stop() was called.
    using Answer = std::function<void(RawHttpServer& server, int socket)>;

    explicit RawHttpServer(Answer answer) : answer_(std::move(answer)) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(listener_, 4) == 0 &&
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~RawHttpServer() {
        stopping_ = true;
        thread_.join();
        ::close(listener_);
    }

    int port() const { return port_; }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    long long bytesSent() const { return sent_; }
    bool clientGone() const { return gone_; }

    bool send(int socket, const std::string& data) {
        std::size_t at = 0;
        while (at < data.size()) {
            if (stopping_)
                return false;
            pollfd p{socket, POLLOUT, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            const ssize_t n = ::send(socket, data.data() + at, data.size() - at, MSG_NOSIGNAL);
            if (n <= 0) {
                gone_ = true;
                return false;
            }
            at += static_cast<std::size_t>(n);
            sent_ += n;
        }
        return true;
    }

    // Waits up to `ms`; false when stop() was called meanwhile.
    bool pause(int ms) {
        for (int waited = 0; waited < ms; waited += 10) {
            if (stopping_)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

  private:
    void serve() {
        while (!stopping_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            const int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (socket < 0)
                continue;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos && !stopping_) {
                pollfd r{socket, POLLIN, 0};
                if (::poll(&r, 1, 100) <= 0)
                    continue;
                const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                request.append(buffer, static_cast<std::size_t>(n));
            }
            answer_(*this, socket);
            ::close(socket);
        }
    }

    Answer answer_;
    int listener_ = -1;
    int port_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> gone_{false};
    std::atomic<long long> sent_{0};
    std::thread thread_;
};

} // namespace dv::test
