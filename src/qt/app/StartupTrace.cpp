#include "qt/app/StartupTrace.h"

#include <QDateTime>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace dv::qt {

void StartupTrace::mark(const char* milestone) {
    static const bool enabled = std::getenv("DATAVIND_TIMING") != nullptr;
    if (!enabled)
        return;
    // Each milestone is reported once: the first time it happens.
    static std::set<std::string> seen;
    if (!seen.insert(milestone).second)
        return;
    std::fprintf(stderr, "datavind-timing %s %lld\n", milestone,
                 static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    std::fflush(stderr);
}

} // namespace dv::qt
