#include "core/update/OnlineUpdate.h"

#include "core/app/PublisherAddresses.h"
#include "core/update/XmlDocument.h"

#include <cstdlib>

namespace dv {

namespace {

// The processing here is only ever given plans read elsewhere; it never
// parses a text itself.
class PlansOnly : public XmlParser {
  public:
    XmlNode parse(std::string_view) override {
        throw XmlError("documents are read by the plan reading");
    }
};

PlansOnly plansOnly;

} // namespace

OnlineUpdate::OnlineUpdate(Parts parts, std::string serviceBase)
    : store_(parts.store), consentDialog_(parts.consent), reading_(parts.reading),
      // Opened without creating: a first run leaves no trace until it exits.
      consent_(parts.store.read().value_or(Settings{})),
      document_({plansOnly, parts.quarantine, parts.extraInfo, parts.boxes, parts.launcher,
                 parts.notes, parts.status, parts.end}),
      request_(std::move(serviceBase), parts.volume, parts.http, parts.status,
               [this](const std::string& body) { answered(body); }) {}

std::string OnlineUpdate::serviceBase() {
    if (const char* base = std::getenv("DATAVIND_UPDATE_URL"); base && *base)
        return base;
    return publisher::kUpdateServiceBase;
}

void OnlineUpdate::startPageLoaded() {
    if (consent_.startPageLoaded(consentDialog_))
        DoAutoUpdate();
}

void OnlineUpdate::DoAutoUpdate() {
    request_.DoAutoUpdate();
}

void OnlineUpdate::writeRegSettings() {
    store_.write(consent_.settings());
}

void OnlineUpdate::answered(const std::string& body) {
    document_.answerReceived();
    // Parsing a large document takes longer than a frame: elsewhere.
    reading_.read(body, [this](UpdatePlan plan) {
        document_.AutoUpdatePlanned(plan);
        if (processed_)
            processed_();
    });
}

} // namespace dv
