#include "app/DiscPath.h"

#include "text/AnsiText.h"

#include <algorithm>
#include <filesystem>
#include <optional>
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
    if (fs::exists(native, ec))
        return native;

    const fs::path wanted(native);
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
            if (equalsIgnoringCase(it->path().filename().string(), part.string())) {
                match = it->path().filename();
                break;
            }
        }
        if (match.empty())
            return native;
        found /= match;
    }
    return found.string();
}

namespace {

// The real place of a path, without a trailing separator.
std::optional<fs::path> realPlace(std::string_view path) {
    std::error_code ec;
    fs::path real = fs::weakly_canonical(fs::path(path), ec);
    if (ec || !real.is_absolute())
        return std::nullopt;
    if (real.filename().empty())
        real = real.parent_path();
    return real;
}

} // namespace

bool isInsideDisc(std::string_view path, std::string_view discRoot) {
    if (discRoot.empty() || path.empty())
        return false;
    const auto root = realPlace(discRoot);
    const auto real = realPlace(path);
    if (!root || !real)
        return false;
    // Whole components: "/cd-rom" is not inside "/cd".
    auto p = real->begin();
    for (auto r = root->begin(); r != root->end(); ++r, ++p) {
        if (p == real->end() || *p != *r)
            return false;
    }
    return true;
}

} // namespace dv
