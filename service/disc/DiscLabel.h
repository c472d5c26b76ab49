#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

// The volume label of a mastered disc is its disc id: the program sends it
// to the update service, which answers with "<label>.xml". Returns what is
// wrong with a label, or nothing when it serves both: 1 to 16 characters
// (Windows reads the Joliet label, which holds 16), printable ASCII, none of
// the characters a file name or a Windows label cannot hold, no blank at
// either end.
std::optional<std::string> labelProblem(std::string_view label);

} // namespace dv
