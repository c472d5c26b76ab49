#pragma once

#include "CheckFinding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dv {

struct DiscCheckOptions {
    // Pages larger than this are reported: the whole page loads before it shows.
    std::uintmax_t maxPageBytes = 512 * 1024;
};

// Reads a disc folder as the program will and reports what would fail a
// reader: pages the hot-spots lead to, every page's links and command links,
// the program list and the current disc, the month's track and its tag, the
// hidden screen's film. Every rule is the program's own.
class DiscCheck {
  public:
    DiscCheck(const std::string& discFolder, DiscCheckOptions options);

    std::vector<CheckFinding> run();

    static bool failed(const std::vector<CheckFinding>& findings);

  private:
    void sectionPages();
    void files();
    void programList();
    void music();
    void hiddenScreen();
    void add(Severity severity, FindingKind kind, std::string file, int line = 0,
             std::vector<std::string> arguments = {});
    std::string relative(const std::string& path) const;

    std::string root_; // absolute, with a trailing separator
    DiscCheckOptions options_;
    std::vector<CheckFinding> findings_;
};

} // namespace dv
