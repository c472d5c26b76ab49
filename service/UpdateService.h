#pragma once

#include "AccessLog.h"
#include "DocumentFolder.h"
#include "ServiceSettings.h"
#include "UpdateReplies.h"

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dv {

class ConnectionWorker;
class ServiceAcceptor;

// The update service: GET (or HEAD) /dvcd/autoupdate.asp?discid=<id>
// answers with the update document of that disc from a folder of documents,
// or an empty document for a disc it does not know. Event-driven: a few
// threads each run many connections, so slow or idle clients hold sockets,
// never threads. One access log line per request; the folder is checked
// again every second.
class UpdateService {
public:
    UpdateService(std::filesystem::path folder, std::ostream& log, ServiceSettings settings = {});
    ~UpdateService();
    UpdateService(const UpdateService&) = delete;
    UpdateService& operator=(const UpdateService&) = delete;

    // Reads the documents and listens on the address; 0 as port picks a free
    // one. Returns the port listened on, or -1 (bindError() says why). Never
    // shares a port with another listener.
    int bind(const std::string& address, int port);
    const std::string& bindError() const { return bindError_; }

    // Serves until stop(), which may come from any thread (also before run()).
    void run();
    void stop();

    std::size_t openConnections() const;

private:
    void watch();
    void logConnectionLimit();

    ServiceSettings settings_;
    AccessLog log_;
    DocumentFolder documents_;
    UpdateReplies replies_;
    std::vector<std::unique_ptr<ConnectionWorker>> workers_;
    std::unique_ptr<ServiceAcceptor> acceptor_;
    std::string bindError_;
    std::atomic<bool> stopping_{false};
    std::mutex stopMutex_;
    std::condition_variable stopSignal_;
    std::uint64_t closedForRoomLogged_ = 0;
    std::uint64_t turnedAwayLogged_ = 0;
};

} // namespace dv
