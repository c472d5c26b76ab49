#pragma once

// Drives a window of the program while its own modal loop runs: one step a
// tick of a thread timer, which that loop runs too. A step returns false
// to be run again on the next tick (something it waits for is not there
// yet).

#include <windows.h>

#include <deque>
#include <functional>

namespace dv::test {

class Win32ModalScript {
  public:
    using Step = std::function<bool()>;

    explicit Win32ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 30, tick);
    }
    ~Win32ModalScript() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    Win32ModalScript(const Win32ModalScript&) = delete;
    Win32ModalScript& operator=(const Win32ModalScript&) = delete;

    bool finished() const { return steps_.empty(); }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!current_ || current_->steps_.empty() || current_->running_)
            return;
        current_->running_ = true;
        // The step may run a modal loop of its own, which ticks too.
        Step step = current_->steps_.front();
        if (step() && current_)
            current_->steps_.pop_front();
        if (current_)
            current_->running_ = false;
    }

    inline static Win32ModalScript* current_ = nullptr;
    std::deque<Step> steps_;
    UINT_PTR timer_ = 0;
    bool running_ = false;
};

} // namespace dv::test
