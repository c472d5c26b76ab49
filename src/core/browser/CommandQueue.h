#pragma once

#include <deque>
#include <functional>
#include <string>

namespace dv {

// Runs commands one at a time in the order they came. A command that arrives
// while another runs (its dialog may run an event loop) waits for it.
class CommandQueue {
public:
    explicit CommandQueue(std::function<void(const std::string&)> run) : run_(std::move(run)) {}

    void push(std::string command);

private:
    std::function<void(const std::string&)> run_;
    std::deque<std::string> pending_;
    bool running_ = false;
};

} // namespace dv
