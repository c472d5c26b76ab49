#pragma once

namespace dv::win32 {

// With DATAVIND_TIMING set, writes the wall-clock time of a start-up
// milestone to standard error ("datavind-timing shown 1733644800123", in
// milliseconds since 1970), once per milestone, so that a benchmark can
// measure it from outside. The same lines as the Qt program's.
class StartupTrace {
  public:
    static void mark(const char* milestone);
    // The milestone "created": when Windows created this process, which is
    // earlier than anything the program itself can see.
    static void markProcessCreated();
};

} // namespace dv::win32
