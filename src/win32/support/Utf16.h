#pragma once

#include <string>
#include <string_view>

namespace dv::win32 {

// The program keeps UTF-8 inside; every Windows call takes UTF-16. Invalid
// input never throws: it becomes U+FFFD, so a bad label or file name is
// still shown and never lost silently.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace dv::win32
