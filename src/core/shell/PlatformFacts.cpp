#include "core/shell/PlatformFacts.h"

namespace dv {

namespace {
constexpr int kMinimumShapedDepth = 24;
}

bool useTransparency(const PlatformFacts& facts) {
    if (facts.colourDepth < kMinimumShapedDepth)
        return false;
    if (!facts.isWindows)
        return facts.canShapeWindows;
    // The version query's own result is not tested: a failed query leaves a
    // zeroed record, which is not NT 5.
    const OsVersionRecord record = facts.windowsVersion.value_or(OsVersionRecord{});
    return record.platformId == OsVersionRecord::kPlatformNT && record.majorVersion == 5;
}

bool useArrowCursors(const PlatformFacts& facts) {
    if (!facts.isWindows)
        return false;
    return classifyWinVersion(facts.windowsVersion) < WinVersion::wvWin98;
}

} // namespace dv
