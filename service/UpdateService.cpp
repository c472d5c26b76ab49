#include "UpdateService.h"

#include "ConnectionWorker.h"
#include "ServiceAcceptor.h"

#include <boost/asio/post.hpp>

#include <algorithm>
#include <thread>

namespace dv {

using Clock = std::chrono::steady_clock;

UpdateService::UpdateService(std::filesystem::path folder, std::ostream& log,
                             ServiceSettings settings)
    : UpdateService(std::move(folder), std::make_unique<StreamLogOutput>(log), nullptr, settings) {}

UpdateService::UpdateService(std::filesystem::path folder, LogOutput& log, ServiceSettings settings)
    : UpdateService(std::move(folder), nullptr, &log, settings) {}

UpdateService::UpdateService(std::filesystem::path folder, std::unique_ptr<LogOutput> own,
                             LogOutput* log, ServiceSettings settings)
    : ownOutput_(std::move(own)), settings_(settings), log_(log ? *log : *ownOutput_),
      documents_(folder), folderWatch_(folder), replies_(documents_, settings_.cacheLifetime) {
    const unsigned threads = settings_.workerThreads();
    const std::size_t share =
        std::max<std::size_t>(1, (settings_.maxConnections + threads - 1) / threads);
    for (unsigned i = 0; i < threads; ++i)
        workers_.push_back(std::make_unique<ConnectionWorker>(settings_, replies_, log_, share));
    acceptor_ = std::make_unique<ServiceAcceptor>(workers_, log_);
}

UpdateService::~UpdateService() {
    stop(std::chrono::milliseconds(0));
    for (auto& worker : workers_)
        worker->stop();
    acceptor_.reset();
    workers_.clear();
}

int UpdateService::bind(const std::string& address, int port) {
    const int bound = acceptor_->listen(address, port, bindError_);
    if (bound >= 0)
        for (const std::string& line : documents_.refresh())
            log_.event(line);
    return bound;
}

void UpdateService::run() {
    std::thread watcher([this] { watch(); });
    if (!stopping_)
        acceptor_->start();
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < workers_.size(); ++i)
        threads.emplace_back([worker = workers_[i].get()] { worker->run(); });
    workers_.front()->run();
    for (std::thread& thread : threads)
        thread.join();
    acceptor_->close();
    stopping_ = true;
    folderWatch_.wake();
    watcher.join();
    std::uint64_t cut = 0;
    for (const auto& worker : workers_)
        cut += worker->cutAtDrainEnd();
    log_.event(cut == 0 ? std::string("stopped: every request read was answered")
                        : "stopped: " + std::to_string(cut) +
                              " connections still reading a request were cut");
    log_.flush();
}

// The listener's queue is emptied first, on the acceptor's thread, and the
// workers are told only then: the connections it hands over come to each
// worker before its drain does.
void UpdateService::stop(std::chrono::milliseconds drain) {
    if (stopping_.exchange(true))
        return;
    folderWatch_.wake();
    const auto deadline = Clock::now() + drain;
    boost::asio::post(workers_.front()->context(), [this, deadline] {
        acceptor_->takeWaitingAndClose();
        for (auto& worker : workers_)
            boost::asio::post(worker->context(),
                              [w = worker.get(), deadline] { w->drain(deadline); });
    });
}

void UpdateService::rescan() {
    log_.event("reading the documents folder again, as asked (SIGHUP)");
    rescanWanted_ = true;
    folderWatch_.wake();
}

std::string UpdateService::state() const {
    return std::to_string(openConnections()) + " connections open, " +
           std::to_string(documents_.documentCount()) + " documents served, the folder " +
           (folderWatch_.following() ? "followed by change notification"
                                     : "read every second (not followed)");
}

std::size_t UpdateService::openConnections() const {
    std::size_t open = 0;
    for (const auto& worker : workers_)
        open += worker->openConnections();
    return open;
}

// Changes are read as the kernel reports them; the whole folder only on
// request, now and then as a safety net, and every second while it cannot
// be followed (not there yet, say). Once a second the log is written and
// the connection bound reported.
void UpdateService::watch() {
    auto nextTick = Clock::now() + std::chrono::seconds(1);
    auto nextRescan = Clock::now() + kSafetyRescan;
    while (!stopping_) {
        const auto until = std::min(nextTick, nextRescan);
        const auto limit =
            std::max(std::chrono::milliseconds(0),
                     std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()));
        const FolderWatch::Changes changes = folderWatch_.wait(limit);
        if (stopping_)
            break;
        const auto now = Clock::now();
        const bool tick = now >= nextTick;
        const bool asked = rescanWanted_.exchange(false);
        std::vector<std::string> lines;
        if (asked || changes.everything || now >= nextRescan ||
            (tick && !folderWatch_.following())) {
            lines = documents_.refresh();
            nextRescan = now + kSafetyRescan;
        } else if (!changes.names.empty()) {
            lines = documents_.refresh(changes.names);
        }
        for (const std::string& line : lines)
            log_.event(line);
        if (asked)
            log_.event("the documents folder read again: " +
                       std::to_string(documents_.documentCount()) + " documents served");
        if (tick) {
            logConnectionLimit();
            log_.flush();
            nextTick = now + std::chrono::seconds(1);
        }
    }
}

// Once a second at most: how many connections the bound closed or turned
// away since the last report.
void UpdateService::logConnectionLimit() {
    std::uint64_t closed = 0, turned = 0;
    for (const auto& worker : workers_) {
        closed += worker->closedForRoom();
        turned += worker->turnedAway();
    }
    if (closed == closedForRoomLogged_ && turned == turnedAwayLogged_)
        return;
    log_.event("at the bound of " + std::to_string(settings_.maxConnections) +
               " connections: " + std::to_string(closed - closedForRoomLogged_) +
               " waiting connections closed to make room, " +
               std::to_string(turned - turnedAwayLogged_) + " new ones turned away");
    closedForRoomLogged_ = closed;
    turnedAwayLogged_ = turned;
}

} // namespace dv
