#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dv {

// Where the page hot-spots lead: a page of the disc under the disc root, or
// one of the two outside home pages. Empty for labels that are no page link.
std::optional<std::string> sectionAddress(std::string_view label, std::string_view discRoot);

// True for the labels that lead to a page.
inline bool isPageHotSpot(std::string_view label) { return sectionAddress(label, {}).has_value(); }

} // namespace dv
