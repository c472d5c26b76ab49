#include "core/browser/DiscTargets.h"

#include "core/app/DiscPath.h"
#include "core/app/UrlHost.h"

namespace dv {

bool DiscTargets::mayStart(std::string_view file) const {
    if (file.empty() || hasUrlScheme(file))
        return true;
    // The very file the launcher would open.
    const std::optional<std::string> target = paths_->realPath(resolveDiscPath(file));
    if (!target)
        return true;
    const std::optional<std::string> root = paths_->realPath(discRoot_);
    return root && liesInside(*target, *root, case_);
}

} // namespace dv
