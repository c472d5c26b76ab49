#pragma once

#include "LogOutput.h"

#include <cstddef>
#include <ctime>
#include <mutex>
#include <string>
#include <string_view>

namespace dv {

// The service's log: one line a request, and the service's own events.
// Request lines are gathered and written by flush(), which the service calls
// every second; events are written at once. Writing never waits for the
// output: what it cannot take yet stays in a backlog, and lines that find
// the backlog full are dropped and counted, and the count is logged where
// they would have been once there is room again. Safe to use from any thread.
class AccessLog {
  public:
    explicit AccessLog(LogOutput& out) : out_(out) {}
    ~AccessLog() { flush(); }
    AccessLog(const AccessLog&) = delete;
    AccessLog& operator=(const AccessLog&) = delete;

    // "<time> <client> "<method> <target>" <status> <bytes>". Control
    // characters in the target are escaped, so a hostile id cannot forge lines.
    void request(std::string_view client, std::string_view method, std::string_view target,
                 unsigned status, std::size_t bytes);
    void event(std::string_view text);
    void flush();

    // Lines not yet written, at most.
    static constexpr std::size_t kBacklog = 1024 * 1024;

  private:
    void stamp(std::string& line);
    void add(const std::string& line); // with mutex_ held
    void write();                      // with mutex_ held

    LogOutput& out_;
    std::mutex mutex_;
    std::string pending_;
    std::size_t dropped_ = 0; // lines dropped since the last that was kept
    std::time_t second_ = 0;
    std::string secondText_;
};

} // namespace dv
