#pragma once

#include <QByteArray>

class QWebEngineProfile;

namespace dv::qt {

// Command links use the pseudo-scheme "command:". The web engine hands a
// navigation to its page only for schemes it knows, so the scheme is
// registered; it must be done before the application object exists.
inline const QByteArray kCommandScheme = QByteArrayLiteral("command");
// The link watcher's scheme: a command link as its page wrote it, every
// byte percent-encoded so that the engine changes none.
inline const QByteArray kWrittenLinkScheme = QByteArrayLiteral("commandlink");

// Registers both schemes as local ones: web pages may not even link to them.
void registerCommandScheme();

// Makes sure nothing is ever loaded from a command address, should one get
// past the page's navigation filter.
void refuseCommandLoads(QWebEngineProfile& profile);

} // namespace dv::qt
