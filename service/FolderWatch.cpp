#include "FolderWatch.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace dv {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint32_t kEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE |
                                  IN_DELETE | IN_ATTRIB | IN_MODIFY | IN_DELETE_SELF |
                                  IN_MOVE_SELF | IN_ONLYDIR;

int remaining(Clock::time_point until) {
    const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now()).count();
    return static_cast<int>(left < 0 ? 0 : left);
}

} // namespace

FolderWatch::FolderWatch(std::filesystem::path folder)
    : folder_(std::move(folder)), inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
      wake_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

FolderWatch::~FolderWatch() {
    if (inotify_ >= 0)
        ::close(inotify_);
    if (wake_ >= 0)
        ::close(wake_);
}

void FolderWatch::wake() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

// True when following began just now: what changed before is unknown.
bool FolderWatch::follow() {
    if (watch_ >= 0 || inotify_ < 0)
        return false;
    watch_ = ::inotify_add_watch(inotify_, folder_.c_str(), kEvents);
    return watch_ >= 0;
}

FolderWatch::Changes FolderWatch::wait(milliseconds limit) {
    Changes changes;
    changes.everything = follow();
    if (changes.everything)
        return changes;
    pollfd fds[2] = {{wake_, POLLIN, 0}, {inotify_, POLLIN, 0}};
    const int ready = ::poll(fds, inotify_ >= 0 ? 2 : 1, static_cast<int>(limit.count()));
    if (ready <= 0)
        return changes;
    if (fds[0].revents & POLLIN) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = ::read(wake_, &count, sizeof count);
        changes.woken = true;
    }
    if (inotify_ < 0 || !(fds[1].revents & POLLIN))
        return changes;
    // A burst: until it has been quiet a moment, or has gone on too long.
    const auto longest = Clock::now() + kLongestBurst;
    do
        readEvents(changes);
    while (Clock::now() < longest &&
           ::poll(&fds[1], 1, std::min(remaining(longest), static_cast<int>(kSettle.count()))) > 0);
    return changes;
}

void FolderWatch::readEvents(Changes& changes) {
    alignas(inotify_event) char buffer[16 * 1024];
    while (true) {
        const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
        if (got <= 0)
            return; // EAGAIN: all read
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changes.everything = true;
            } else if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
                // The folder itself went: follow whatever bears its name next.
                if (watch_ >= 0 && !(event->mask & IN_IGNORED))
                    ::inotify_rm_watch(inotify_, watch_);
                watch_ = -1;
                changes.everything = true;
            } else if (event->len > 0) {
                changes.names.emplace(event->name);
            }
        }
    }
}

} // namespace dv
