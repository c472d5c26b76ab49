#pragma once

#include "core/browser/DiscPageCheck.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dv::win32 {

// Real paths as Windows gives them: the final path of an opened file or
// folder, with links and junctions followed.
class Win32RealPaths : public RealPaths {
  public:
    std::optional<std::string> realPath(const std::string& localPath) const override;
};

// The local file of a file: address ("file:///C:/a%20b/x.htm",
// "file://C:\a\x.htm"); empty for any other address.
std::optional<std::string> localPathOfFileUrl(std::wstring_view url);

// The paths a file: address may name, most likely first. The control
// reports a local page with "#" and "?" unescaped, so one that lies in a
// folder named "skiva#x" cannot be told from "skiva" at fragment "x" by its
// address: first the whole path as the control reports it, then the path
// before each "#" or "?", the last one first. A path whose part after a "#"
// or "?" holds "." or ".." segments is left out: resolved, those would climb
// out of the page's own file (".../x.htm#/../../skiva/index.htm").
std::vector<std::string> localPathsOfFileUrl(std::wstring_view url);

// The file of the page a file: address shows: the first of its paths that
// names an existing file (no folder). Empty when none does.
std::optional<std::string> pageFileOfUrl(std::wstring_view url);

} // namespace dv::win32
