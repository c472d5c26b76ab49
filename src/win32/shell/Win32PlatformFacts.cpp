#include "win32/shell/Win32PlatformFacts.h"

#include "win32/support/Utf16.h"

namespace dv::win32 {

namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

OsVersionRecord recordOf(const OSVERSIONINFOW& info) {
    OsVersionRecord record;
    record.platformId = info.dwPlatformId;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.servicePack = narrow(info.szCSDVersion);
    return record;
}

} // namespace

std::optional<OsVersionRecord> windowsVersionRecord() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
        const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
        if (rtlGetVersion && rtlGetVersion(&info) == 0)
            return recordOf(info);
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExW(&info))
        return recordOf(info);
#pragma GCC diagnostic pop
    return std::nullopt;
}

PlatformFacts currentPlatformFacts(HWND window) {
    PlatformFacts facts;
    facts.isWindows = true;
    facts.windowsVersion = windowsVersionRecord();
    if (const HDC dc = GetWindowDC(window)) {
        facts.colourDepth = GetDeviceCaps(dc, BITSPIXEL);
        ReleaseDC(window, dc);
    }
    facts.canShapeWindows = true;
    return facts;
}

} // namespace dv::win32
