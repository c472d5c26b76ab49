#pragma once

// A program run as a child process, its standard output and error gathered
// as they come, for tests of the real executables.

#include "WaitUntil.h"
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace dv::test {

class ChildProcess {
  public:
    explicit ChildProcess(const std::vector<std::string>& argv) {
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        const int failed = posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
        if (failed) {
            ::close(pipe[0]);
            throw std::runtime_error("cannot start " + argv[0]);
        }
        reader_ = std::thread([this, fd = pipe[0]] { gather(fd); });
    }
    // Asks a child still running to end, then makes it.
    ~ChildProcess() {
        if (!exit_) {
            ::kill(pid_, SIGTERM);
            if (!waitExit(std::chrono::seconds(5))) {
                ::kill(pid_, SIGKILL);
                waitExit(std::chrono::seconds(10));
            }
        }
        reader_.join();
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int number) { ::kill(pid_, number); }

    std::string output() const {
        const std::lock_guard lock(mutex_);
        return output_;
    }

    // The first output line holding the text, waiting for it as long as
    // given or until the output ends.
    std::optional<std::string> waitForLine(const std::string& text,
                                           std::chrono::milliseconds wait) const {
        std::unique_lock lock(mutex_);
        std::optional<std::string> line;
        changed_.wait_for(lock, wait, [&] {
            const std::size_t at = output_.find(text);
            if (at != std::string::npos) {
                const std::size_t start = output_.rfind('\n', at);
                const std::size_t from = start == std::string::npos ? 0 : start + 1;
                line = output_.substr(from, output_.find('\n', at) - from);
            }
            return line.has_value() || ended_;
        });
        return line;
    }

    // The exit status (128 + signal for a killed one), once it has ended.
    std::optional<int> waitExit(std::chrono::milliseconds wait) {
        waitUntil(
            [&] {
                int status = 0;
                if (!exit_ && ::waitpid(pid_, &status, WNOHANG) == pid_)
                    exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return exit_.has_value();
            },
            wait);
        return exit_;
    }

  private:
    void gather(int fd) {
        char chunk[4096];
        while (true) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            const std::lock_guard lock(mutex_);
            if (got <= 0) {
                ended_ = true;
                changed_.notify_all();
                break;
            }
            output_.append(chunk, static_cast<std::size_t>(got));
            changed_.notify_all();
        }
        ::close(fd);
    }

    pid_t pid_ = -1;
    std::optional<int> exit_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::string output_;
    bool ended_ = false;
    std::thread reader_;
};

} // namespace dv::test
