#pragma once

#include "core/browser/DiscPageCheck.h"

namespace dv {

// Real paths from the standard library: every link followed, "." and ".."
// gone; nothing for a path that names nothing.
class CanonicalPaths : public RealPaths {
  public:
    std::optional<std::string> realPath(const std::string& localPath) const override;
};

} // namespace dv
