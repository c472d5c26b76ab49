#pragma once

#include <string>
#include <string_view>

namespace dv {

// The charset of an XML document, for its Content-Type: the byte-order mark
// or the byte pattern of its first characters, else the encoding its
// declaration names, else UTF-8. One forward pass over the declaration,
// whatever its length; nothing recurses.
std::string xmlCharset(std::string_view document);

} // namespace dv
