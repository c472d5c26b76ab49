#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace dv {

// Who started a command link: the reader with a click or key of their own,
// or the page's script (a synthetic click, a script moving the page).
enum class CommandStart { ByReader, ByScript };

// Runs commands one at a time in the order they came. A command that arrives
// while another runs (its dialog may run an event loop) waits for it.
//
// A command a page's script started is taken only when no other command is
// waiting or running, and only after the script has tried none for
// kScriptPause: about the time a program takes to start and show itself. A
// script that clicks a hidden link a thousand times in a row starts one
// program. The reader's own clicks are always taken.
class CommandQueue {
  public:
    using Run = std::function<void(const std::string&)>;
    // Hands a call to the event loop, to be made once the caller returned.
    using Post = std::function<void(std::function<void()>)>;
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    static constexpr std::chrono::seconds kScriptPause{2};

    explicit CommandQueue(Run run, Post post = {}, Now now = &Clock::now)
        : run_(std::move(run)), post_(std::move(post)), now_(std::move(now)) {}

    // Runs the command at once, unless another one runs. False when the
    // command was refused.
    bool push(std::string command, CommandStart start = CommandStart::ByReader);
    // The same, but the command runs from the event loop (at once without a
    // Post): for commands that arrive inside the browser engine's callback.
    // A burst of them arriving together is judged as one.
    bool offer(std::string command, CommandStart start);

  private:
    bool admit(std::string& command, CommandStart start);
    void drain();

    Run run_;
    Post post_;
    Now now_;
    std::optional<Clock::time_point> lastByScript_;
    std::deque<std::string> pending_;
    bool running_ = false;
    bool posted_ = false;
};

} // namespace dv
