#include "win32/support/StartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

namespace dv::win32 {

namespace {

long long millisecondsSince1970(const FILETIME& time) {
    const unsigned long long ticks =
        (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    constexpr unsigned long long kTicksFrom1601To1970 = 116444736000000000ULL;
    return static_cast<long long>((ticks - kTicksFrom1601To1970) / 10000);
}

bool enabled() {
    static const bool on = GetEnvironmentVariableW(L"DATAVIND_TIMING", nullptr, 0) > 0;
    return on;
}

void report(const char* milestone, long long when) {
    static std::set<std::string> seen;
    if (!seen.insert(milestone).second)
        return;
    std::fprintf(stderr, "datavind-timing %s %lld\n", milestone, when);
    std::fflush(stderr);
}

} // namespace

void StartupTrace::mark(const char* milestone) {
    if (!enabled())
        return;
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    report(milestone, millisecondsSince1970(now));
}

void StartupTrace::markProcessCreated() {
    if (!enabled())
        return;
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        report("created", millisecondsSince1970(created));
}

} // namespace dv::win32
