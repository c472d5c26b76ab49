#include "UpdateService.h"

#include "ConnectionWorker.h"
#include "ServiceAcceptor.h"

#include <algorithm>
#include <chrono>

namespace dv {

UpdateService::UpdateService(std::filesystem::path folder, std::ostream& log, ServiceSettings settings)
    : settings_(settings), log_(log), documents_(std::move(folder)), replies_(documents_, settings_.cacheLifetime) {
    const unsigned threads = settings_.workerThreads();
    const std::size_t share = std::max<std::size_t>(1, (settings_.maxConnections + threads - 1) / threads);
    for (unsigned i = 0; i < threads; ++i)
        workers_.push_back(std::make_unique<ConnectionWorker>(settings_, replies_, log_, share));
    acceptor_ = std::make_unique<ServiceAcceptor>(workers_, log_);
}

UpdateService::~UpdateService() {
    stop();
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
    acceptor_->start();
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < workers_.size(); ++i)
        threads.emplace_back([worker = workers_[i].get()] { worker->run(); });
    if (!stopping_)
        workers_.front()->run();
    for (auto& worker : workers_)
        worker->stop();
    for (std::thread& thread : threads)
        thread.join();
    acceptor_->close();
    stop();
    watcher.join();
    log_.flush();
}

void UpdateService::stop() {
    {
        const std::lock_guard lock(stopMutex_);
        stopping_ = true;
    }
    stopSignal_.notify_all();
    for (auto& worker : workers_)
        worker->stop();
}

std::size_t UpdateService::openConnections() const {
    std::size_t open = 0;
    for (const auto& worker : workers_)
        open += worker->openConnections();
    return open;
}

void UpdateService::watch() {
    std::unique_lock lock(stopMutex_);
    while (!stopSignal_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_.load(); })) {
        lock.unlock();
        for (const std::string& line : documents_.refresh())
            log_.event(line);
        logConnectionLimit();
        log_.flush();
        lock.lock();
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
    log_.event("at the bound of " + std::to_string(settings_.maxConnections) + " connections: " +
               std::to_string(closed - closedForRoomLogged_) + " waiting connections closed to make room, " +
               std::to_string(turned - turnedAwayLogged_) + " new ones turned away");
    closedForRoomLogged_ = closed;
    turnedAwayLogged_ = turned;
}

} // namespace dv
