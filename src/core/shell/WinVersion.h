#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dv {

// The classification of a Windows version. The order matters: callers compare
// values (everything below wvWin98 is "old Windows").
enum class WinVersion : int {
    wvUnknown = 0,
    wvWin32s,
    wvWin95,
    wvWin95OSR2,
    wvWin98,
    wvWin98SE,
    wvWinME,
    wvWinNT,
    wvWin2000,
    wvWinXP,
    wvWin2003,
};

// The fields of the Windows version record that the rules read.
struct OsVersionRecord {
    static constexpr std::uint32_t kPlatformWin32s = 0;
    static constexpr std::uint32_t kPlatformWindows9x = 1;
    static constexpr std::uint32_t kPlatformNT = 2;

    std::uint32_t platformId = 0;
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::string servicePack; // the record's service-pack text, e.g. " A" or " C"
};

// Classifies a version record; an absent record (the query failed) is unknown.
WinVersion classifyWinVersion(const std::optional<OsVersionRecord>& record);

} // namespace dv
