// slow_clients PORT COUNT SECONDS
//
// Holds COUNT connections to 127.0.0.1:PORT, each sending a request header
// one line every two seconds and never finishing it; a connection the
// server cuts is opened again. Ends after SECONDS and prints how many were
// cut. For the service benchmark: slow clients beside the measured load.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    const std::string start = "GET /dvcd/autoupdate.asp?discid=slow HTTP/1.1\r\nHost: bench\r\n";
    ::send(fd, start.data(), start.size(), MSG_NOSIGNAL);
    return fd;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: slow_clients PORT COUNT SECONDS\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int count = std::min(std::atoi(argv[2]), 10000);
    const auto end =
        std::chrono::steady_clock::now() + std::chrono::seconds(std::min(std::atoi(argv[3]), 600));
    std::vector<int> fds(static_cast<std::size_t>(count), -1);
    long cut = 0;
    auto nextLine = std::chrono::steady_clock::now();
    for (int line = 0; std::chrono::steady_clock::now() < end;) {
        for (int& fd : fds) {
            if (fd >= 0) {
                pollfd p{fd, POLLIN, 0};
                char chunk[512];
                if (::poll(&p, 1, 0) > 0 && ::recv(fd, chunk, sizeof chunk, 0) <= 0) {
                    ::close(fd);
                    fd = -1;
                    ++cut;
                }
            }
            if (fd < 0)
                fd = connectTo(port);
        }
        if (std::chrono::steady_clock::now() >= nextLine) {
            const std::string header = "X-Slow-" + std::to_string(++line) + ": still coming\r\n";
            for (const int fd : fds)
                if (fd >= 0)
                    ::send(fd, header.data(), header.size(), MSG_NOSIGNAL);
            nextLine += std::chrono::seconds(2);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    for (const int fd : fds)
        if (fd >= 0)
            ::close(fd);
    std::printf("%ld slow connections were cut and opened again\n", cut);
    return 0;
}
