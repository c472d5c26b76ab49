#pragma once

#include <QString>

namespace dv::qt {

// With DATAVIND_TIMING set, prints the wall-clock time of start-up milestones
// to standard error ("datavind-timing shown 1733644800123"), so that a
// benchmark can measure them from outside.
class StartupTrace {
  public:
    static void mark(const char* milestone);
};

} // namespace dv::qt
