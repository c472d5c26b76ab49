#include "browser/CommandQueue.h"

namespace dv {

void CommandQueue::push(std::string command) {
    pending_.push_back(std::move(command));
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
