#pragma once

#include <string>
#include <string_view>

namespace dv {

// A path written the disc's way (backslashes, letter case as on a disc
// mastered on Windows) as a path of this system: backslashes become
// separators, and when the exact name does not exist each component is
// looked up without regard to ASCII letter case, as Windows would. The path
// is returned unchanged where nothing matches.
std::string resolveDiscPath(std::string_view path);

} // namespace dv
