#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

// What a local path really names: links followed, "." and ".." gone. Empty
// when it names nothing that exists.
class RealPaths {
  public:
    virtual ~RealPaths() = default;
    virtual std::optional<std::string> realPath(const std::string& localPath) const = 0;
};

enum class PathCase { Sensitive, Insensitive };

// True when path lies inside root, compared component by component ("/" and
// "\" both separate), so "/cd" holds "/cd/x" but not "/cdx/y". Paths are taken
// as they stand; resolve them first.
bool liesInside(std::string_view path, std::string_view root, PathCase letterCase);

// Decides whether a page may run command links: only a page of the disc
// itself, judged by where its file really lies. A link inside the disc that
// leads out of it, or a ".." path, does not make an outside page a disc page.
class DiscPageCheck {
  public:
    DiscPageCheck(std::string discRoot, const RealPaths& paths, PathCase letterCase)
        : discRoot_(std::move(discRoot)), paths_(paths), case_(letterCase) {}

    // localPagePath: the file of the page, empty when the page is no local file.
    bool isDiscPage(const std::optional<std::string>& localPagePath) const;

  private:
    std::string discRoot_;
    const RealPaths& paths_;
    PathCase case_;
};

} // namespace dv
