#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dv {

// The dvcd-master command: checks the disc, then writes its image with the
// Windows program, the Linux program and its runtime, and the autorun
// files. Returns the exit status: 0 written, 1 the disc failed its check or
// the image could not be written, 2 the arguments or inputs are wrong.
int runDiscMasterCommand(const std::vector<std::string>& arguments, std::ostream& out,
                         std::ostream& err);

} // namespace dv
