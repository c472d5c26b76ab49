#include "core/app/DiscRoot.h"

namespace dv {

std::string discRootFromExecutable(std::string_view executablePath) {
    const std::size_t last = executablePath.find_last_of("/\\");
    if (last == std::string_view::npos)
        return {};
    return std::string(executablePath.substr(0, last + 1));
}

std::string discRootOf(std::string_view executablePath, std::string_view namedRoot) {
    if (namedRoot.empty())
        return discRootFromExecutable(executablePath);
    std::string root(namedRoot);
    if (root.back() != '/' && root.back() != '\\')
        root += '/';
    return root;
}

} // namespace dv
