#include "win32/support/MessageLoop.h"

#include <algorithm>

namespace dv::win32 {

MessageLoop& MessageLoop::instance() {
    static MessageLoop loop;
    return loop;
}

void MessageLoop::addFilter(MessageFilter& filter) {
    filters_.push_back(&filter);
}

void MessageLoop::removeFilter(MessageFilter& filter) {
    filters_.erase(std::remove(filters_.begin(), filters_.end(), &filter), filters_.end());
}

void MessageLoop::dispatch(MSG& message) {
    // A copy: a filter may remove itself while it runs.
    const std::vector<MessageFilter*> filters = filters_;
    for (MessageFilter* filter : filters) {
        if (filter->preTranslate(message))
            return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int MessageLoop::run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

bool MessageLoop::runUntil(const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got < 0)
            return false;
        dispatch(message);
    }
    return true;
}

void MessageLoop::processPending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

} // namespace dv::win32
