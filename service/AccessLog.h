#pragma once

#include <cstddef>
#include <ctime>
#include <iosfwd>
#include <mutex>
#include <string>
#include <string_view>

namespace dv {

// The service's log: one line a request, and the service's own events.
// Request lines are gathered and written by flush(), which the service calls
// every second from a thread that answers nobody, so that a slow disc never
// holds up an answer; only a backlog past 4 MiB is written by the thread
// that adds to it. Events are written at once. Safe to use from any thread.
class AccessLog {
public:
    explicit AccessLog(std::ostream& out) : out_(out) {}
    ~AccessLog() { flush(); }

    // "<time> <client> "<method> <target>" <status> <bytes>". Control
    // characters in the target are escaped, so a hostile id cannot forge lines.
    void request(std::string_view client, std::string_view method, std::string_view target, unsigned status,
                 std::size_t bytes);
    void event(std::string_view text);
    void flush();

private:
    void stamp(); // appends the time of this second
    void write(const std::string& text);

    std::ostream& out_;
    std::mutex writing_; // taken before mutex_ when both are
    std::mutex mutex_;
    std::string pending_;
    std::time_t second_ = 0;
    std::string secondText_;
};

} // namespace dv
