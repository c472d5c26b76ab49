#include "core/browser/BrowserHost.h"

#include "core/browser/EngineVersion.h"

#include <exception>

namespace dv {

bool createIE(BrowserHost& host) {
    try {
        if (!host.createControl())
            return false;
        const double version =
            engineVersionFromText(host.engineVersionText(), host.decimalSeparator());
        if (version >= kMinimumEngineVersion)
            return true;
    } catch (const std::exception&) {
        // Reported by the caller as a browser that could not be created.
    }
    if (host.hasControl())
        host.destroyControl();
    return false;
}

} // namespace dv
