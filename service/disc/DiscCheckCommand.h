#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dv {

// The dvcd-check command: its arguments, its report on out, usage errors on
// err. Returns the exit status: 0 clean, 1 a finding would fail a reader,
// 2 the arguments or the folder are wrong.
int runDiscCheckCommand(const std::vector<std::string>& arguments, std::ostream& out,
                        std::ostream& err);

} // namespace dv
