#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

// A parsed XML document as the update processing reads it. Element nodes
// keep their children; text and CDATA nodes their text; other nodes
// (comments, processing instructions, entity references) their text, if any.
// Text that is only white space between elements is dropped.
struct XmlNode {
    enum class Kind { Element, Text, Other };
    Kind kind = Kind::Element;
    std::string name;
    std::string text;
    std::vector<XmlNode> children;
};

// The largest document the parser takes; the HTTP client stops reading an
// answer past it.
inline constexpr std::size_t kMaxXmlDocumentBytes = 1024 * 1024;

struct XmlError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Parses a document from its bytes: encoding from the byte-order mark or the
// XML declaration, else UTF-8 (see documentEncoding). Never reaches the
// network and refuses a document with a DTD, so no entity is ever
// substituted. Element names are local names; a prefix must be declared.
// Throws XmlError; returns the root element.
class XmlParser {
  public:
    virtual ~XmlParser() = default;
    virtual XmlNode parse(std::string_view bytes) = 0;
};

} // namespace dv
