#pragma once

// A tiny HTTP server on 127.0.0.1 for tests of the update request, on
// Winsock: each connection's request head is recorded and handed to the
// test's handler, which answers as it likes (well, slowly, too long, never).

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace dv::test {

class LoopbackHttpServer {
  public:
    class Connection {
      public:
        Connection(SOCKET socket, std::string head, const std::atomic<bool>& stopping)
            : socket_(socket), head_(std::move(head)), stopping_(stopping) {}

        const std::string& head() const { return head_; }

        bool send(std::string_view bytes) {
            while (!bytes.empty()) {
                const int sent =
                    ::send(socket_, bytes.data(),
                           static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 16)), 0);
                if (sent <= 0)
                    return false;
                bytes.remove_prefix(static_cast<std::size_t>(sent));
            }
            return true;
        }

        // Waits, for as long as the server runs and the client stays.
        // False once either has gone.
        bool wait(std::chrono::milliseconds time) {
            const auto until = std::chrono::steady_clock::now() + time;
            while (!stopping_) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    until - std::chrono::steady_clock::now());
                if (left.count() <= 0)
                    return true;
                fd_set readable;
                FD_ZERO(&readable);
                FD_SET(socket_, &readable);
                timeval step{0, static_cast<long>(std::min<long long>(left.count(), 50)) * 1000};
                if (select(0, &readable, nullptr, nullptr, &step) > 0) {
                    char c;
                    if (recv(socket_, &c, 1, 0) <= 0)
                        return false; // the client closed
                }
            }
            return false;
        }

        // An answer with a length and the body as given.
        bool answer(int status, std::string_view body, std::string_view headers = {}) {
            return send("HTTP/1.1 " + std::to_string(status) +
                        " X\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\nConnection: close\r\n" + std::string(headers) + "\r\n") &&
                   send(body);
        }

      private:
        SOCKET socket_;
        std::string head_;
        const std::atomic<bool>& stopping_;
    };

    using Handler = std::function<void(Connection&)>;

    explicit LoopbackHttpServer(Handler handler) : handler_(std::move(handler)) {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        if (listener_ == INVALID_SOCKET ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(listener_, 16) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptAll(); });
    }

    ~LoopbackHttpServer() {
        stopping_ = true;
        closesocket(listener_);
        acceptor_.join();
        for (std::thread& t : connections_)
            t.join();
        WSACleanup();
    }

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

    std::vector<std::string> requests() const {
        const std::lock_guard guard(lock_);
        return requests_;
    }

  private:
    void acceptAll() {
        while (!stopping_) {
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            connections_.emplace_back([this, client] { serve(client); });
        }
    }

    void serve(SOCKET client) {
        std::string head;
        char c;
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536 &&
               recv(client, &c, 1, 0) == 1)
            head += c;
        {
            const std::lock_guard guard(lock_);
            requests_.push_back(head);
        }
        Connection connection(client, head, stopping_);
        handler_(connection);
        shutdown(client, SD_SEND);
        closesocket(client);
    }

    Handler handler_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::vector<std::thread> connections_;
    mutable std::mutex lock_;
    std::vector<std::string> requests_;
};

} // namespace dv::test
