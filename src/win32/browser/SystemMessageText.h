#pragma once

#include <windows.h>

#include <string>

namespace dv::win32 {

// The system's own text for an error code, in the system's language, without
// the line break Windows ends it with.
std::string systemMessageText(DWORD error);

} // namespace dv::win32
