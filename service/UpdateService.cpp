#include "UpdateService.h"

#include <httplib.h>

#include <chrono>
#include <ctime>
#include <mutex>
#include <ostream>

namespace dv {

namespace {

std::mutex logMutex;

std::string now() {
    const std::time_t t = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&t));
    return text;
}

// Request targets are logged as sent; control characters are escaped so a
// hostile id cannot forge log lines.
std::string printable(const std::string& s) {
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out.substr(0, 300);
}

} // namespace

UpdateService::UpdateService(std::filesystem::path folder, std::ostream& log)
    : documents_(std::move(folder)), log_(log), server_(std::make_unique<httplib::Server>()) {
    // Headers and body go out in separate writes: without this each answer
    // waits for the peer's delayed acknowledgement.
    server_->set_tcp_nodelay(true);
    server_->set_keep_alive_max_count(1000);
    server_->Get("/dvcd/autoupdate.asp", [this](const httplib::Request& request, httplib::Response& response) {
        const DocumentFolder::Lookup found = documents_.find(request.get_param_value("discid"));
        if (found.kind == DocumentFolder::Lookup::Kind::Broken) {
            response.status = 503;
            response.set_content("The document of this disc is being repaired.\n", "text/plain; charset=utf-8");
            return;
        }
        response.set_content(found.document, "text/xml; charset=" + declaredCharset(found.document));
    });
    server_->set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        const std::lock_guard lock(logMutex);
        log_ << now() << ' ' << request.remote_addr << " \"" << request.method << ' '
             << printable(request.target) << "\" " << response.status << ' ' << response.body.size()
             << std::endl;
    });
}

UpdateService::~UpdateService() {
    stop();
    if (watcher_.joinable())
        watcher_.join();
}

int UpdateService::bind(const std::string& address, int port) {
    for (const std::string& problem : documents_.refresh())
        log_ << now() << " " << problem << std::endl;
    if (port == 0)
        return server_->bind_to_any_port(address.c_str());
    return server_->bind_to_port(address.c_str(), port) ? port : -1;
}

void UpdateService::watch() {
    while (running_) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        for (const std::string& problem : documents_.refresh()) {
            const std::lock_guard lock(logMutex);
            log_ << now() << " " << problem << std::endl;
        }
    }
}

void UpdateService::run() {
    running_ = true;
    watcher_ = std::thread([this] { watch(); });
    server_->listen_after_bind();
    running_ = false;
}

void UpdateService::stop() {
    running_ = false;
    server_->stop();
}

} // namespace dv
