#include "core/update/UpdateRequest.h"

#include "core/shell/StatusLine.h"
#include "core/update/QueryValue.h"
#include "core/update/XmlDocument.h"

#include <exception>
#include <utility>

namespace dv {

std::string updateRequestUrl(const std::string& serviceBase, const std::string& discId) {
    return serviceBase + "/dvcd/autoupdate.asp?discid=" + encodeQueryValue(discId);
}

void UpdateRequest::DoAutoUpdate() {
    status_.setStatusText("Kontrollerar om det finns uppdateringar...");
    try {
        // Nothing longer than the parser takes is worth reading.
        http_.get(updateRequestUrl(base_, volume_.getDiscName()), kMaxXmlDocumentBytes,
                  [answered = answered_](HttpAnswer answer) {
                      answered(answer.succeeded() ? std::move(answer.body) : std::string());
                  });
    } catch (const std::exception& e) {
        status_.setStatusText(e.what());
    }
}

} // namespace dv
