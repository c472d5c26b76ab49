#pragma once

class QWebEnginePage;

namespace dv::qt {

// The engine re-encodes a link's address before any page filter sees it: one
// stray "%" in a command link turns every "%" of it into "%25", and the
// decoder would read another command than the one written. A script in a
// world of its own (the page's scripts cannot reach it), in every frame,
// takes the click on a command link instead and navigates to the
// written-link scheme with the href exactly as the page wrote it, as a new
// window for the reader's own clicks (DiscWebPage). Clicks a
// page handler cancelled stay cancelled; command addresses reached some
// other way (a script assigning location, a form) still come through the
// engine, re-encoded.
void watchCommandLinks(QWebEnginePage& page);

} // namespace dv::qt
