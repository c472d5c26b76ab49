#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dv {

// One address written in a page: a link, a picture, a style sheet, a frame.
struct PageLink {
    std::string element;   // "a", "img", ...
    std::string attribute; // "href", "src" or "background"
    std::string value;     // as written, in UTF-8
    int line = 0;          // of the element's start tag
};

// The addresses of an HTML page, read with libxml2's forgiving HTML parser as
// a browser reads a page: no network, errors recovered, the page's own
// character set honoured.
class PageLinks {
  public:
    // Elements with more attributes than this have the rest left unread:
    // the HTML parser takes time by the square of their number.
    static constexpr int kMaxAttributes = 256;

    // crowded, if given, gets the line of each element cut so.
    static std::vector<PageLink> read(std::string_view html, std::vector<int>* crowded = nullptr);
};

} // namespace dv
