#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dv {

// Every "*.mp3" of the disc's music folder that is a file (or a link to
// one), full paths, in the order the system lists them; names are matched
// without regard to case. The player plays the first one.
std::vector<std::string> monthTracks(std::string_view discRoot);

} // namespace dv
