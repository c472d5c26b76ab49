#pragma once

namespace dv::qt {

// Opens the desktop's network or proxy settings: the first of the known
// settings programs that is installed. False when none is.
bool openInternetSettings();

} // namespace dv::qt
