#include "core/browser/CanonicalPaths.h"

#include "core/text/Utf8Path.h"

#include <filesystem>
#include <system_error>

namespace dv {

std::optional<std::string> CanonicalPaths::realPath(const std::string& localPath) const {
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::canonical(pathFromUtf8(localPath), ec);
    if (ec)
        return std::nullopt;
    return utf8FromPath(real);
}

} // namespace dv
