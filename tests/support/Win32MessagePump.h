#pragma once

// Lets a test of the Windows front end run the real message loop until
// something has happened, never longer than it allows.

#include "support/MessageLoop.h"

#include <windows.h>

#include <chrono>
#include <functional>

namespace dv::test {

// True when the condition came to hold in time.
inline bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        win32::MessageLoop::instance().processPending();
    }
    return true;
}

// Handles the messages of the given time.
inline void pumpFor(std::chrono::milliseconds time) {
    pumpUntil([] { return false; }, time);
}

} // namespace dv::test
