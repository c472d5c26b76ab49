#pragma once

// An update service running in the test's own process on a folder of its
// own, with a log the test may read while the service runs.

#include "UpdateService.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <thread>

namespace dv::test {

namespace fs = std::filesystem;

// A log that may be read while other threads write it.
class SharedLog : public std::streambuf {
public:
    std::string text() const {
        const std::lock_guard lock(mutex_);
        return text_;
    }
    // Waits until the log holds the text; false when it does not in time.
    bool waitFor(const std::string& wanted, std::chrono::milliseconds wait) const {
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (text().find(wanted) == std::string::npos) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

protected:
    int overflow(int c) override {
        if (c != traits_type::eof()) {
            const std::lock_guard lock(mutex_);
            text_ += static_cast<char>(c);
        }
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::lock_guard lock(mutex_);
        text_.append(s, static_cast<std::size_t>(n));
        return n;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

// A fresh folder under the temporary directory, removed with what it holds.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "dvcd-service-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

private:
    fs::path path_;
};

class RunningService {
public:
    explicit RunningService(const fs::path& folder, ServiceSettings settings = {})
        : out_(&log_), service_(folder, out_, settings) {
        port_ = service_.bind("127.0.0.1", 0);
        if (port_ <= 0)
            throw std::runtime_error("cannot bind: " + service_.bindError());
        running_ = std::thread([this] { service_.run(); });
    }
    ~RunningService() { stop(); }
    RunningService(const RunningService&) = delete;
    RunningService& operator=(const RunningService&) = delete;

    int port() const { return port_; }
    UpdateService& service() { return service_; }
    const SharedLog& log() const { return log_; }
    void stop() {
        service_.stop();
        if (running_.joinable())
            running_.join();
    }

private:
    SharedLog log_;
    std::ostream out_;
    UpdateService service_;
    int port_ = -1;
    std::thread running_;
};

inline std::string target(const std::string& encodedId) { return "/dvcd/autoupdate.asp?discid=" + encodedId; }

} // namespace dv::test
