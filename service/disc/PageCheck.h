#pragma once

#include "CheckFinding.h"
#include "PageLinks.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dv {

struct Command;

// Checks one page of the disc: its size, every address it links to, and
// every command link, read with the program's own decoder, grammar,
// <thisdir> rule and target splitter.
class PageCheck {
  public:
    // discRoot ends in a separator; findings are appended to the list.
    PageCheck(std::string discRoot, std::uintmax_t maxPageBytes,
              std::vector<CheckFinding>& findings)
        : root_(std::move(discRoot)), maxPageBytes_(maxPageBytes), findings_(findings) {}

    void check(const std::string& pagePath);

    // Findings of one kind on one page shown at most; the rest are counted.
    static constexpr int kMaxPerKind = 20;

  private:
    void readLinks(const std::string& pagePath);
    // False when the link is no command link.
    bool commandLink(const PageLink& link);
    // True for a frame whose source is a web address.
    static bool webFrame(const PageLink& link);
    void executeTarget(const std::string& written, const Command& command, int line);
    void pageLink(const PageLink& link, const std::string& pageFolder);
    static std::optional<std::string> baseFolder(const std::vector<PageLink>& links,
                                                 const std::string& pageFolder);
    void add(Severity severity, FindingKind kind, int line, std::vector<std::string> arguments);
    std::string relative(const std::string& path) const;

    std::string root_;
    std::uintmax_t maxPageBytes_;
    std::vector<CheckFinding>& findings_;
    std::string page_; // relative to the disc root
    struct Kept {
        int shown = 0;
        std::size_t leftOut = 0;
        int lastLine = 0;
        Severity severity = Severity::Error;
    };
    std::map<FindingKind, Kept> kept_; // this page's
};

} // namespace dv
