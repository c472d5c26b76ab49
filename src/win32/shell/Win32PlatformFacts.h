#pragma once

#include "core/shell/PlatformFacts.h"

#include <windows.h>

#include <optional>

namespace dv::win32 {

// The running Windows' version record as it really is. GetVersionEx answers
// with the version a program's manifest declares it knows (or Windows 8),
// so the record is read with RtlGetVersion, which does not pretend; empty
// when neither can be read.
std::optional<OsVersionRecord> windowsVersionRecord();

// What the start-up rules need to know: the version record, and the colour
// depth of the window's whole-window device context.
PlatformFacts currentPlatformFacts(HWND window);

} // namespace dv::win32
