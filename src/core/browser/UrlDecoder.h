#pragma once

#include <string>
#include <string_view>

namespace dv {

// Decodes a navigation address the way command links are written: every "+"
// is a blank, and "%hh" is the byte hh. The two characters after a "%" (fewer
// at the end of the text) are read as one hexadecimal number; when they are
// not hexadecimal, or give 0, nothing is appended. Either way the "%" and what
// was read after it are consumed. The result is bytes; see bytesToText.
std::string urlDecode(std::string_view address);

} // namespace dv
