#include "update/UpdateRequest.h"

#include "shell/StatusLine.h"

#include <exception>

namespace dv {

std::string updateRequestUrl(const std::string& serviceBase, const std::string& discId) {
    return serviceBase + "/dvcd/autoupdate.asp?discid=" + discId;
}

void UpdateRequest::DoAutoUpdate() {
    status_.setStatusText("Kontrollerar om det finns uppdateringar...");
    try {
        http_.get(updateRequestUrl(base_, volume_.getDiscName()), answered_);
    } catch (const std::exception& e) {
        status_.setStatusText(e.what());
    }
}

} // namespace dv
