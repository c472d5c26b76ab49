#pragma once

// Plain sockets on the loopback interface, for tests that need to hold
// connections open, send requests a piece at a time, and time answers.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dv::test {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct HttpAnswer {
    int status = 0;
    std::map<std::string, std::string> headers; // names in lower case
    std::string body;

    std::string header(const std::string& lowerName) const {
        const auto it = headers.find(lowerName);
        return it == headers.end() ? std::string() : it->second;
    }
    bool has(const std::string& lowerName) const { return headers.count(lowerName) != 0; }
};

class LoopbackSocket {
  public:
    explicit LoopbackSocket(int port) : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        if (fd_ < 0)
            throw std::runtime_error("socket");
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd_);
            throw std::runtime_error("connect");
        }
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    ~LoopbackSocket() { ::close(fd_); }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    bool send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR)
                continue;
            if (sent <= 0)
                return false;
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }

    // One answer: its header, and as many body bytes as Content-Length says
    // (none for HEAD and 304). Nothing when the wait ends first or the peer
    // closes before the answer is whole.
    std::optional<HttpAnswer> answer(milliseconds wait, bool head = false) {
        const auto deadline = Clock::now() + wait;
        std::size_t end;
        while ((end = pending_.find("\r\n\r\n")) == std::string::npos)
            if (!fill(deadline))
                return std::nullopt;
        HttpAnswer answer;
        const std::string header = pending_.substr(0, end);
        std::size_t lineEnd = header.find("\r\n");
        const std::string status = header.substr(0, lineEnd);
        if (status.size() < 12 || !status.starts_with("HTTP/1."))
            return std::nullopt;
        answer.status = std::stoi(status.substr(9, 3));
        while (lineEnd != std::string::npos && lineEnd < header.size()) {
            const std::size_t next = header.find("\r\n", lineEnd + 2);
            const std::string line = header.substr(
                lineEnd + 2, next == std::string::npos ? std::string::npos : next - lineEnd - 2);
            const std::size_t colon = line.find(':');
            if (colon != std::string::npos) {
                std::string name = line.substr(0, colon);
                for (char& c : name)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                answer.headers[name] = line.substr(line.find_first_not_of(' ', colon + 1));
            }
            lineEnd = next;
        }
        pending_.erase(0, end + 4);
        std::size_t length = 0;
        if (!head && answer.status != 304 && answer.has("content-length"))
            length = std::stoul(answer.header("content-length"));
        while (pending_.size() < length)
            if (!fill(deadline))
                return std::nullopt;
        answer.body = pending_.substr(0, length);
        pending_.erase(0, length);
        return answer;
    }

    // True when the peer closes (or resets) the connection within the wait;
    // whatever it sends before is read and dropped.
    bool closedWithin(milliseconds wait) {
        const auto deadline = Clock::now() + wait;
        do {
            pollfd p{fd_, POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
            if (::poll(&p, 1, static_cast<int>(std::max<long long>(left, 0))) <= 0)
                continue;
            char chunk[4096];
            const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
            if (got <= 0)
                return true;
        } while (Clock::now() < deadline);
        return false;
    }

    std::size_t unread() const { return pending_.size(); }

  private:
    bool fill(Clock::time_point deadline) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0)
            return false;
        char chunk[65536];
        const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
        if (got <= 0)
            return false;
        pending_.append(chunk, static_cast<std::size_t>(got));
        return true;
    }

    int fd_;
    std::string pending_;
};

// A whole request on a connection of its own.
inline std::optional<HttpAnswer> httpRequest(int port, const std::string& method,
                                             const std::string& target,
                                             const std::string& extraHeaders = {},
                                             milliseconds wait = milliseconds(5000)) {
    LoopbackSocket socket(port);
    socket.send(method + " " + target + " HTTP/1.1\r\nHost: test\r\n" + extraHeaders +
                "Connection: close\r\n\r\n");
    return socket.answer(wait, method == "HEAD");
}

inline std::optional<HttpAnswer> httpGet(int port, const std::string& target,
                                         const std::string& extraHeaders = {}) {
    return httpRequest(port, "GET", target, extraHeaders);
}

// Every byte but letters and digits as %HH, as a careful client sends it.
inline std::string percentEncoded(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            out += ch;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

} // namespace dv::test
