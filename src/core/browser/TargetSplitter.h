#pragma once

#include <string>
#include <string_view>

namespace dv {

struct SplitTarget {
    std::string file;
    std::string parameters;
    friend bool operator==(const SplitTarget&, const SplitTarget&) = default;
};

// Splits a launch target into the file and its parameters:
//   file                      -> file, no parameters
//   file params with blanks   -> cut at the first blank
//   file 'params with blanks' -> the parameters inside the apostrophes
// A target that begins with an apostrophe quotes its file instead:
//   'file with blanks' params -> the file inside the apostrophes, then the
//   parameters after one blank (unwrapped when they are in apostrophes too).
SplitTarget splitTarget(std::string_view target);

} // namespace dv
