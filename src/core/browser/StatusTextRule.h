#pragma once

#include <string_view>

namespace dv {

// Whether a status text from the browser replaces the status line. Command
// links and disc pages never show their addresses; web addresses, progress
// messages and empty texts (which clear the line) do.
bool statusTextReachesStatusLine(std::string_view browserText);

} // namespace dv
