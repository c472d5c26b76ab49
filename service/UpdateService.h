#pragma once

#include "AccessLog.h"
#include "DocumentFolder.h"
#include "FolderWatch.h"
#include "LogOutput.h"
#include "ServiceSettings.h"
#include "UpdateReplies.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace dv {

class ConnectionWorker;
class ServiceAcceptor;

// The update service: GET (or HEAD) /dvcd/autoupdate.asp?discid=<id>
// answers with the update document of that disc from a folder of documents,
// or an empty document for a disc it does not know. Event-driven: a few
// threads each run many connections, so slow or idle clients hold sockets,
// never threads. One access log line per request. The folder is followed
// with the kernel's change notification and read whole again only now and
// then, as a safety net, and on rescan().
class UpdateService {
  public:
    UpdateService(std::filesystem::path folder, std::ostream& log, ServiceSettings settings = {});
    UpdateService(std::filesystem::path folder, LogOutput& log, ServiceSettings settings = {});
    ~UpdateService();
    UpdateService(const UpdateService&) = delete;
    UpdateService& operator=(const UpdateService&) = delete;

    // Reads the documents and listens on the address; 0 as port picks a free
    // one. Returns the port listened on, or -1 (bindError() says why). Never
    // shares a port with another listener.
    int bind(const std::string& address, int port);
    const std::string& bindError() const { return bindError_; }

    // Serves until stop() has been carried out. stop() may come from any
    // thread (also before run()): no new connection is taken, those waiting
    // in the listener's queue are taken still, idle ones are closed, and the
    // requests already coming are answered, for at most the drain time.
    void run();
    void stop(std::chrono::milliseconds drain = kDrain);
    // Reads the whole folder again at once (SIGHUP), saying so in the log.
    void rescan();
    // A line in the log, from any thread.
    void logEvent(const std::string& text) { log_.event(text); }
    // One line on the service's state for the log.
    std::string state() const;

    std::size_t openConnections() const;

    static constexpr std::chrono::milliseconds kDrain{5000};
    // The whole folder is read again this often, whatever the notifications said.
    static constexpr std::chrono::seconds kSafetyRescan{60};

  private:
    UpdateService(std::filesystem::path folder, std::unique_ptr<LogOutput> own, LogOutput* log,
                  ServiceSettings settings);
    void watch();
    void logConnectionLimit();

    std::unique_ptr<LogOutput> ownOutput_;
    ServiceSettings settings_;
    AccessLog log_;
    DocumentFolder documents_;
    FolderWatch folderWatch_;
    UpdateReplies replies_;
    std::vector<std::unique_ptr<ConnectionWorker>> workers_;
    std::unique_ptr<ServiceAcceptor> acceptor_;
    std::string bindError_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> rescanWanted_{false};
    std::uint64_t closedForRoomLogged_ = 0;
    std::uint64_t turnedAwayLogged_ = 0;
};

} // namespace dv
