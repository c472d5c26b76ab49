#pragma once

#include "core/browser/DiscPageCheck.h"

#include <memory>
#include <string>
#include <string_view>

namespace dv {

// Which launch targets may start: judged by where they really lie, as pages
// are. A file inside the disc may; a file that really lies outside it (a
// path written outside, or a link on the disc that leads out, "prog/sh ->
// /bin/sh") may not. Addresses with a scheme go to the desktop as they are,
// and a file that is not there is left to the launcher, which says so.
class DiscTargets {
  public:
    DiscTargets(std::string discRoot, std::unique_ptr<RealPaths> paths, PathCase letterCase)
        : discRoot_(std::move(discRoot)), paths_(std::move(paths)), case_(letterCase) {}

    // file: the file part of a target, written the disc's way.
    bool mayStart(std::string_view file) const;

  private:
    std::string discRoot_;
    std::unique_ptr<RealPaths> paths_;
    PathCase case_;
};

} // namespace dv
