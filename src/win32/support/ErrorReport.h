#pragma once

#include <string>

namespace dv::win32 {

// The application's default error report: what escaped an event handler is
// shown in an error box captioned with the application title, and the
// program goes on.
void reportUnhandled(const std::string& text);

} // namespace dv::win32
