#include "core/update/XmlPreparse.h"

#include "core/update/DocumentEncoding.h"

namespace dv {

namespace {

// A parser's reason as one line without its trailing blanks: libxml2 ends
// its messages with a line break.
std::string oneLine(std::string_view reason) {
    std::string out;
    for (const char c : reason)
        out += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace

std::string XmlPreparse::text(std::string_view bytes) {
    if (bytes.size() > kMaxBytes)
        throw XmlError("the document is larger than 1 MiB (" + std::to_string(bytes.size()) +
                       " bytes)");
    if (bytes.empty())
        throw XmlError("the document is empty");
    // The scan sees the very text the parser reads.
    std::string utf8 = documentText(bytes);
    XmlMarkupScan::check(utf8);
    return utf8;
}

XmlError XmlPreparse::notWellFormed(long line, std::string_view reason) {
    std::string message = "the document is not well-formed XML";
    if (line > 0)
        message += " at line " + std::to_string(line);
    const std::string why = oneLine(reason);
    if (!why.empty())
        message += ": " + why;
    return XmlError(message);
}

bool XmlPreparse::keepsText(std::string_view text, bool besideElements) {
    return !besideElements || text.find_first_not_of(" \t\r\n") != std::string_view::npos;
}

} // namespace dv
