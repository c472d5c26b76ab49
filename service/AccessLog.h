#pragma once

#include <cstddef>
#include <ctime>
#include <iosfwd>
#include <mutex>
#include <string>
#include <string_view>

namespace dv {

// The service's log: one line a request, and the service's own events.
// Request lines are gathered and written in batches (at the latest by the
// next flush(), which the service calls every second) so that a busy
// service does not write once a request; events are written at once.
// Safe to use from any thread.
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

    std::ostream& out_;
    std::mutex mutex_;
    std::string pending_;
    std::time_t second_ = 0;
    std::string secondText_;
};

} // namespace dv
