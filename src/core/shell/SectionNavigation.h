#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

class BrowserHost;

// Where the page hot-spots lead: a page of the disc under the disc root, or
// one of the two outside home pages. Empty for labels that are no page link.
std::optional<std::string> sectionAddress(std::string_view label, std::string_view discRoot);

// True for the labels that lead to a page.
inline bool isPageHotSpot(std::string_view label) {
    return sectionAddress(label, {}).has_value();
}

// Opens where a page hot-spot leads in the main browser. Without a browser
// (its creation failed) it does nothing at all. True when it navigated.
bool openSection(std::string_view label, std::string_view discRoot, BrowserHost& browser);

} // namespace dv
