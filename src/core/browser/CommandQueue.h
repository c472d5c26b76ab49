#pragma once

#include <deque>
#include <functional>
#include <string>

namespace dv {

// Who started a command link: the reader with a click or key of their own,
// or the page's script (a synthetic click, a script moving the page).
enum class CommandStart { ByReader, ByScript };

// Runs commands one at a time in the order they came. A command that arrives
// while another runs (its dialog may run an event loop) waits for it.
//
// A command a page's script started is taken only when no other command is
// waiting or running: a script that clicks a hidden link a thousand times
// starts one program, and the next only once that one has been started, as
// a reader clicking would. The reader's own clicks are always taken.
class CommandQueue {
public:
    using Run = std::function<void(const std::string&)>;
    // Hands a call to the event loop, to be made once the caller returned.
    using Post = std::function<void(std::function<void()>)>;

    explicit CommandQueue(Run run, Post post = {}) : run_(std::move(run)), post_(std::move(post)) {}

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
    std::deque<std::string> pending_;
    bool running_ = false;
    bool posted_ = false;
};

} // namespace dv
