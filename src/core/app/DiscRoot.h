#pragma once

#include <string>
#include <string_view>

namespace dv {

// The folder of the running executable with its trailing separator: every
// disc-relative path is this followed by the relative path. A path with no
// separator at all gives an empty root (the current folder).
std::string discRootFromExecutable(std::string_view executablePath);

// The name of the environment variable in which the start program of a
// mastered disc names the disc root. The real program of such a disc lies in
// a runtime folder below the root, beside the libraries it brings.
inline constexpr const char* kDiscRootVariable = "DATAVIND_DISC_ROOT";

// The disc root of a program: the root its disc's start program named, with
// a trailing separator, or else the folder of the executable.
std::string discRootOf(std::string_view executablePath, std::string_view namedRoot);

} // namespace dv
