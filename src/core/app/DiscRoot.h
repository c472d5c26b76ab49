#pragma once

#include <string>
#include <string_view>

namespace dv {

// The folder of the running executable with its trailing separator: every
// disc-relative path is this followed by the relative path. A path with no
// separator at all gives an empty root (the current folder).
std::string discRootFromExecutable(std::string_view executablePath);

} // namespace dv
