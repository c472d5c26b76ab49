#include "core/browser/CommandQueue.h"

namespace dv {

bool CommandQueue::admit(std::string& command, CommandStart start) {
    if (start == CommandStart::ByScript) {
        // Every one the script tries, taken or not, starts its pause afresh:
        // a burst is one command however long it lasts.
        const Clock::time_point now = now_();
        const bool quiet = !lastByScript_ || now - *lastByScript_ >= kScriptPause;
        lastByScript_ = now;
        if (running_ || !pending_.empty() || !quiet)
            return false;
    }
    pending_.push_back(std::move(command));
    return true;
}

bool CommandQueue::push(std::string command, CommandStart start) {
    if (!admit(command, start))
        return false;
    drain();
    return true;
}

bool CommandQueue::offer(std::string command, CommandStart start) {
    if (!admit(command, start))
        return false;
    if (!post_) {
        drain();
    } else if (!running_ && !posted_) {
        posted_ = true;
        post_([this] {
            posted_ = false;
            drain();
        });
    }
    return true;
}

void CommandQueue::drain() {
    if (running_)
        return;
    running_ = true;
    while (!pending_.empty()) {
        const std::string next = std::move(pending_.front());
        pending_.pop_front();
        try {
            run_(next);
        } catch (...) {
            running_ = false;
            throw;
        }
    }
    running_ = false;
}

} // namespace dv
