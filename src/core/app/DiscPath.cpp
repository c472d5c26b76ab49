#include "core/app/DiscPath.h"

#include "core/text/AnsiText.h"
#include "core/text/Utf8Path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace dv {

namespace fs = std::filesystem;

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return lowerAscii(a) == lowerAscii(b);
}

} // namespace

std::string resolveDiscPath(std::string_view path) {
    std::string native(path);
#ifndef _WIN32
    std::replace(native.begin(), native.end(), '\\', '/');
#endif
    std::error_code ec;
    const fs::path wanted = pathFromUtf8(native);
    if (fs::exists(wanted, ec))
        return native;

    fs::path found = wanted.root_path();
    for (const fs::path& part : wanted.relative_path()) {
        const fs::path exact = found / part;
        if (fs::exists(exact, ec) || part == "." || part == "..") {
            found = exact;
            continue;
        }
        const fs::path dir = found.empty() ? fs::path(".") : found;
        fs::path match;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (equalsIgnoringCase(utf8FromPath(it->path().filename()), utf8FromPath(part))) {
                match = it->path().filename();
                break;
            }
        }
        if (match.empty())
            return native;
        found /= match;
    }
    return utf8FromPath(found);
}

} // namespace dv
