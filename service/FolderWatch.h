#pragma once

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

namespace dv {

// Follows a folder with the kernel's change notification (inotify), so
// that a changed document is read at once and an unchanged folder costs
// nothing. What it cannot follow (the notification queue overflowed, the
// folder was replaced, moved or is not there yet) it reports as a change of
// everything, and the caller reads the whole folder.
class FolderWatch {
  public:
    explicit FolderWatch(std::filesystem::path folder);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    struct Changes {
        bool everything = false;     // read the whole folder
        std::set<std::string> names; // else these names of it
        bool woken = false;          // wake() was called
    };
    // Waits until something changes, wake() is called or the time is up.
    // The names of a burst of changes (a file being written) come together.
    Changes wait(std::chrono::milliseconds limit);
    // Ends a wait() from any thread.
    void wake();
    // The folder is being followed.
    bool following() const { return watch_ >= 0; }

    // How long a burst of changes may go on before it is reported.
    static constexpr std::chrono::milliseconds kSettle{15};
    static constexpr std::chrono::milliseconds kLongestBurst{60};

  private:
    bool follow();
    void readEvents(Changes& changes);

    std::filesystem::path folder_;
    int inotify_ = -1;
    int wake_ = -1;
    int watch_ = -1;
};

} // namespace dv
