#include "support/StartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

namespace dv::win32 {

namespace {

long long millisecondsSince1970() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kTicksFrom1601To1970 = 116444736000000000ULL;
    return static_cast<long long>((ticks - kTicksFrom1601To1970) / 10000);
}

} // namespace

void StartupTrace::mark(const char* milestone) {
    static const bool enabled = GetEnvironmentVariableW(L"DATAVIND_TIMING", nullptr, 0) > 0;
    if (!enabled)
        return;
    static std::set<std::string> seen;
    if (!seen.insert(milestone).second)
        return;
    std::fprintf(stderr, "datavind-timing %s %lld\n", milestone, millisecondsSince1970());
    std::fflush(stderr);
}

} // namespace dv::win32
