#include "LogOutput.h"

#include <cerrno>
#include <fcntl.h>
#include <ostream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dv {

std::size_t StreamLogOutput::tryWrite(std::string_view bytes) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out_.flush();
    return bytes.size();
}

DescriptorLogOutput::DescriptorLogOutput(int fd) : fd_(fd) {
    struct stat s {};
    if (::fstat(fd, &s) != 0)
        return;
    if (S_ISSOCK(s.st_mode)) {
        socket_ = true;
        return;
    }
    if (S_ISREG(s.st_mode))
        return; // a file takes what it is given
    const std::string again = "/proc/self/fd/" + std::to_string(fd);
    const int own = ::open(again.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (own >= 0) {
        fd_ = own;
        own_ = true;
        return;
    }
    // No second opening (no /proc): the shared descriptor itself, put back
    // as it was when the service ends.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0 && !(flags & O_NONBLOCK) && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0)
        restoreFlags_ = flags;
}

DescriptorLogOutput::~DescriptorLogOutput() {
    if (own_)
        ::close(fd_);
    else if (restoreFlags_ >= 0)
        ::fcntl(fd_, F_SETFL, restoreFlags_);
}

std::size_t DescriptorLogOutput::tryWrite(std::string_view bytes) {
    std::size_t taken = 0;
    while (taken < bytes.size()) {
        const ssize_t n = socket_ ? ::send(fd_, bytes.data() + taken, bytes.size() - taken,
                                           MSG_DONTWAIT | MSG_NOSIGNAL)
                                  : ::write(fd_, bytes.data() + taken, bytes.size() - taken);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // full (EAGAIN), or gone: what is left waits or is dropped
        taken += static_cast<std::size_t>(n);
    }
    return taken;
}

} // namespace dv
