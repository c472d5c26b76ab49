#include "core/browser/DiscPageCheck.h"

#include "core/text/AnsiText.h"

#include <vector>

namespace dv {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// The non-empty components of a path; a leading separator (or a UNC "\\")
// is kept as a component of its own so that "/a" and "a" differ.
std::vector<std::string_view> componentsOf(std::string_view path) {
    std::vector<std::string_view> parts;
    if (!path.empty() && isSeparator(path.front()))
        parts.push_back(path.substr(0, 1));
    std::size_t at = 0;
    while (at < path.size()) {
        while (at < path.size() && isSeparator(path[at]))
            ++at;
        std::size_t end = at;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        if (end > at)
            parts.push_back(path.substr(at, end - at));
        at = end;
    }
    return parts;
}

bool sameComponent(std::string_view a, std::string_view b, PathCase letterCase) {
    if (isSeparator(a.front()) && isSeparator(b.front()))
        return true;
    return letterCase == PathCase::Sensitive ? a == b : upperAnsi(a) == upperAnsi(b);
}

} // namespace

bool liesInside(std::string_view path, std::string_view root, PathCase letterCase) {
    const std::vector<std::string_view> rootParts = componentsOf(root);
    const std::vector<std::string_view> pathParts = componentsOf(path);
    if (rootParts.empty() || pathParts.size() < rootParts.size())
        return false;
    for (std::size_t i = 0; i < rootParts.size(); ++i)
        if (!sameComponent(pathParts[i], rootParts[i], letterCase))
            return false;
    return true;
}

bool DiscPageCheck::isDiscPage(const std::optional<std::string>& localPagePath) const {
    if (!localPagePath || localPagePath->empty() || discRoot_.empty())
        return false;
    const std::optional<std::string> page = paths_.realPath(*localPagePath);
    const std::optional<std::string> root = paths_.realPath(discRoot_);
    return page && root && liesInside(*page, *root, case_);
}

} // namespace dv
