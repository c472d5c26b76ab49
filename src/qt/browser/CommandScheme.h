#pragma once

class QWebEngineProfile;

namespace dv::qt {

// Command links use the pseudo-scheme "command:". The web engine hands a
// navigation to its page only for schemes it knows, so the scheme is
// registered; it must be done before the application object exists.
void registerCommandScheme();

// Makes sure nothing is ever loaded from a command address, should one get
// past the page's navigation filter.
void refuseCommandLoads(QWebEngineProfile& profile);

} // namespace dv::qt
