#pragma once

// An update service running in the test's own process on a folder of its
// own, with a log the test may read while the service runs.

#include "SharedLog.h"
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

inline std::string target(const std::string& encodedId) {
    return "/dvcd/autoupdate.asp?discid=" + encodedId;
}

} // namespace dv::test
