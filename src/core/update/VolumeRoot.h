#pragma once

#include <string>
#include <string_view>

namespace dv {

// The root of the volume that holds a Windows path, as the volume query
// takes it: "D:\" for a path on a drive, "\\server\share\" for a network
// path (also in their "\\?\" long forms). Empty when the path names
// neither, such as a relative path.
std::string windowsVolumeRoot(std::string_view path);

} // namespace dv
