#pragma once

#include "DocumentFolder.h"

#include <atomic>
#include <iosfwd>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace dv {

// The update service: GET /dvcd/autoupdate.asp?discid=<id> answers with the
// update document of that disc from a folder of documents, or an empty
// document for a disc it does not know. One access log line per request.
class UpdateService {
public:
    UpdateService(std::filesystem::path folder, std::ostream& log);
    ~UpdateService();

    // Binds to the address; 0 as port picks a free one. Returns the port, or
    // -1 when it cannot bind.
    int bind(const std::string& address, int port);
    // Serves until stop(); documents are checked again every second.
    void run();
    void stop();

private:
    void watch();

    DocumentFolder documents_;
    std::ostream& log_;
    std::unique_ptr<httplib::Server> server_;
    std::atomic<bool> running_{false};
    std::thread watcher_;
};

} // namespace dv
