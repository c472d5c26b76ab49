#pragma once

#include <cstddef>
#include <iosfwd>
#include <string_view>

namespace dv {

// Where the service's log goes. A write never waits: it takes what the
// output can take at once and says how much that was.
class LogOutput {
  public:
    virtual ~LogOutput() = default;
    virtual std::size_t tryWrite(std::string_view bytes) = 0;
};

// A stream, for tests and tools: it takes everything.
class StreamLogOutput : public LogOutput {
  public:
    explicit StreamLogOutput(std::ostream& out) : out_(out) {}
    std::size_t tryWrite(std::string_view bytes) override;

  private:
    std::ostream& out_;
};

// A file descriptor, typically standard output, written without waiting
// however slowly its reader reads (journald, a pipe to tee, a terminal
// paused with ^S). A socket is sent to without waiting; a pipe or terminal
// is opened a second time, non-blocking, so the descriptor the service
// shares with its parent keeps its own mode.
class DescriptorLogOutput : public LogOutput {
  public:
    explicit DescriptorLogOutput(int fd);
    ~DescriptorLogOutput() override;
    DescriptorLogOutput(const DescriptorLogOutput&) = delete;
    DescriptorLogOutput& operator=(const DescriptorLogOutput&) = delete;

    std::size_t tryWrite(std::string_view bytes) override;

  private:
    int fd_;
    bool own_ = false;      // fd_ is our own non-blocking opening
    bool socket_ = false;   // sent to with MSG_DONTWAIT
    int restoreFlags_ = -1; // the descriptor's flags before it was made non-blocking
};

} // namespace dv
