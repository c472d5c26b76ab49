#pragma once

#include "browser/DiscPageCheck.h"

#include <optional>
#include <string>
#include <string_view>

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

} // namespace dv::win32
