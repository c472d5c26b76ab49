#pragma once

#include <string>
#include <vector>

struct IWebBrowser2;

namespace dv::win32 {

// The addresses every frame of the browser's document shows, frames of
// frames included; "" for a frame whose address cannot be read.
std::vector<std::wstring> frameAddressesOf(IWebBrowser2& browser);

} // namespace dv::win32
