#pragma once

#include <string>
#include <string_view>

namespace dv {

// A text made safe to stand as the value of one key in an address's query.
// Percent-encoded (%hh, upper-case hex) are exactly the bytes that would
// change the address's meaning or that an address may not hold:
//   - the query's own delimiters: "#" ends it, "&" and ";" separate keys,
//     "=" separates a key from its value, "+" stands for a blank, "%" starts
//     an escape, and a second "?" (allowed by the standard, but HTTP servers,
//     the update service's among them, refuse or split at it);
//   - what an address may not hold at all: blank, control characters, DEL,
//     " < > [ \ ] ^ ` { | }, and bytes that are not part of well-formed UTF-8;
//   - "/" and ".": an HTTP layer may resolve "/.." and "./" in the whole
//     address, query included, and so ask for another path (WinINet does).
// Everything else stays as it is: letters and digits, - _ ~ ! $ ' ( ) * , :
// @, and well-formed UTF-8 beyond ASCII (å stays å; the HTTP layer encodes
// it as UTF-8 on the wire).
std::string encodeQueryValue(std::string_view text);

} // namespace dv
