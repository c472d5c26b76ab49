#include "update/OnlineUpdate.h"

#include "app/PublisherAddresses.h"

#include <cstdlib>

namespace dv {

OnlineUpdate::OnlineUpdate(Parts parts, std::string serviceBase)
    : store_(parts.store), consentDialog_(parts.consent),
      // Opened without creating: a first run leaves no trace until it exits.
      consent_(parts.store.read().value_or(Settings{})),
      document_({parts.parser, parts.quarantine, parts.extraInfo, parts.boxes, parts.launcher, parts.notes,
                 parts.status, parts.end}),
      request_(std::move(serviceBase), parts.volume, parts.http, parts.status,
               [this](const std::string& body) { document_.AutoUpdateComplete(body); }) {}

std::string OnlineUpdate::serviceBase() {
    if (const char* base = std::getenv("DATAVIND_UPDATE_URL"); base && *base)
        return base;
    return publisher::kUpdateServiceBase;
}

void OnlineUpdate::startPageLoaded() {
    if (consent_.startPageLoaded(consentDialog_))
        DoAutoUpdate();
}

void OnlineUpdate::DoAutoUpdate() { request_.DoAutoUpdate(); }

void OnlineUpdate::writeRegSettings() { store_.write(consent_.settings()); }

} // namespace dv
