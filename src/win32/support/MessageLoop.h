#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace dv::win32 {

// Sees every message taken from the thread's queue before it is dispatched.
class MessageFilter {
  public:
    virtual ~MessageFilter() = default;
    // True when the message was handled and must not be dispatched.
    virtual bool preTranslate(MSG& message) = 0;
};

// The user-interface thread's message loop. The program's own modal windows
// run their loops through it too, so the filters (the application-wide hook,
// dialog keys of modeless windows) apply everywhere, as they should.
class MessageLoop {
  public:
    static MessageLoop& instance();

    void addFilter(MessageFilter& filter);
    void removeFilter(MessageFilter& filter);

    // Runs until WM_QUIT; returns its exit code.
    int run();
    // Runs until done() holds (a modal window closed) or WM_QUIT arrives; a
    // WM_QUIT is put back for the outer loop. False when it was WM_QUIT.
    bool runUntil(const std::function<bool()>& done);
    // Handles what is waiting, without blocking.
    void processPending();

  private:
    void dispatch(MSG& message);

    std::vector<MessageFilter*> filters_;
};

} // namespace dv::win32
