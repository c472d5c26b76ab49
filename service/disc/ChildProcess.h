#pragma once

#include "core/app/ReaderEnvironment.h"

#include <optional>
#include <string>
#include <vector>

namespace dv {

// Runs a program found on PATH, with this process's environment plus the
// given variables, and waits for it. Its output goes where ours goes, or
// into *output when given.
class ChildProcess {
  public:
    struct Result {
        int status = -1;                  // exit status; -1 when it did not exit normally
        std::optional<std::string> error; // when it could not be started
    };

    static Result run(const std::vector<std::string>& arguments, const Environment& extra = {},
                      std::string* output = nullptr);
};

} // namespace dv
