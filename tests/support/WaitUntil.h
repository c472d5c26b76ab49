#pragma once

// Waiting on a condition from a test, never on the clock alone: the
// condition is asked again every few milliseconds until it holds or the
// limit has passed.

#include <chrono>
#include <thread>

namespace dv::test {

// True once done() holds; false when it did not within the limit.
template <typename Done>
bool waitUntil(Done&& done, std::chrono::milliseconds limit,
               std::chrono::milliseconds every = std::chrono::milliseconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(every);
    }
    return true;
}

} // namespace dv::test
