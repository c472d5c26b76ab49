#pragma once

// The XmlParser the program uses on this platform, for the tests that run
// on both: MSXML on Windows, libxml2 elsewhere.

#ifdef _WIN32
#include "win32/update/MsXmlParser.h"

#include <windows.h>

namespace dv::test {
using PlatformXmlParser = win32::MsXmlParser;

// Wine's MSXML is an imitation that differs from MSXML in places.
inline bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
} // namespace dv::test
#else
#include "linux/LibXmlParser.h"

namespace dv::test {
using PlatformXmlParser = LibXmlParser;

inline bool runningUnderWine() {
    return false;
}
} // namespace dv::test
#endif
