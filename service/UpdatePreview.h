#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace dv {

// What the program would do with an update document, told as text: the
// notices, the pages it opens, the notes it keeps, the messages with their
// icons, whether it ends, and where it does something other than the
// document seems to say. For editors, before a document is served.
// Returns false when the program would report a failed update.
bool previewUpdateDocument(std::string_view document, std::ostream& out);

// Why the program would report a failed update with this document (too
// large, not well formed and where, a DTD, too many attributes, a list it
// cannot read, ...), or nothing when it would take it.
std::optional<std::string> updateRefusal(std::string_view document);

} // namespace dv
