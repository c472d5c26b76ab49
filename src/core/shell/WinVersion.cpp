#include "core/shell/WinVersion.h"

namespace dv {

namespace {

// Windows 9x tells its builds apart by the second character of the
// service-pack text; a shorter text has no such character.
char servicePackLetter(const std::string& servicePack) {
    return servicePack.size() >= 2 ? servicePack[1] : '\0';
}

WinVersion classifyWindows9x(const OsVersionRecord& r) {
    if (r.majorVersion != 4)
        return WinVersion::wvUnknown;
    const char letter = servicePackLetter(r.servicePack);
    switch (r.minorVersion) {
    case 0:
        return (letter == 'B' || letter == 'C') ? WinVersion::wvWin95OSR2 : WinVersion::wvWin95;
    case 10:
        return letter == 'A' ? WinVersion::wvWin98SE : WinVersion::wvWin98;
    case 90:
        return WinVersion::wvWinME;
    default:
        return WinVersion::wvUnknown;
    }
}

WinVersion classifyNT(const OsVersionRecord& r) {
    if (r.majorVersion <= 4)
        return WinVersion::wvWinNT;
    if (r.majorVersion > 5)
        return WinVersion::wvUnknown;
    switch (r.minorVersion) {
    case 0:
        return WinVersion::wvWin2000;
    case 1:
        return WinVersion::wvWinXP;
    case 2:
        return WinVersion::wvWin2003;
    default:
        return WinVersion::wvUnknown;
    }
}

} // namespace

WinVersion classifyWinVersion(const std::optional<OsVersionRecord>& record) {
    if (!record)
        return WinVersion::wvUnknown;
    switch (record->platformId) {
    case OsVersionRecord::kPlatformWin32s:
        return WinVersion::wvWin32s;
    case OsVersionRecord::kPlatformWindows9x:
        return classifyWindows9x(*record);
    case OsVersionRecord::kPlatformNT:
        return classifyNT(*record);
    default:
        return WinVersion::wvUnknown;
    }
}

} // namespace dv
