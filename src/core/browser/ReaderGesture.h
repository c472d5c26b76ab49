#pragma once

#include "core/browser/CommandQueue.h"

#include <chrono>
#include <optional>

namespace dv {

// Who started a command link, where the browser engine does not say (the
// Windows control's navigation event names no click): the reader when they
// clicked or pressed a key in the page just before and no other command
// link took that act yet; the page's script otherwise. A script that clicks
// links in a loop, even from the reader's own click, gets one link as the
// reader's at most.
class ReaderGesture {
  public:
    using Clock = CommandQueue::Clock;
    // How long after the reader's act its link may arrive.
    static constexpr std::chrono::milliseconds kReach{1000};

    void readerActed(Clock::time_point at) { act_ = at; }
    // The start of a command link arriving now; takes the reader's act.
    CommandStart startOf(Clock::time_point now);

  private:
    std::optional<Clock::time_point> act_;
};

} // namespace dv
