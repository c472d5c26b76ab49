#pragma once

#include <string>
#include <string_view>

namespace dv {

// The host name of an absolute web address ("http://www.a.example:8080/x" gives
// "www.a.example"); empty when the text has no scheme and authority.
std::string hostName(std::string_view url);

// True for an http or https address with a host: a page for the browser,
// never a program or a file. Blanks and apostrophes are refused, since a
// launch would split parameters off at them (write them as %20 and %27).
bool isWebPageAddress(std::string_view url);

// True when a launch target is an address with a scheme ("http://...",
// "mailto:a@b") rather than a path: the scheme is two characters or more, so
// a drive letter ("C:\x") is a path.
bool hasUrlScheme(std::string_view target);

} // namespace dv
