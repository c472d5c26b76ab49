#pragma once

#include "core/update/XmlDocument.h"
#include "core/update/XmlMarkupScan.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace dv {

// What every XML adapter of the program does around its parser, so that
// libxml2 and MSXML take and refuse the same documents and say why in the
// same words: the size cap, the program's own decoding (documentText), the
// markup scan (attributes, namespaces, depth, DTD, unclosed markup), the
// wording of a parser's own refusal, and which text nodes are content.
// Every refusal is an XmlError whose message says precisely why, for the
// update service's log and dvcd-preview.
class XmlPreparse {
  public:
    static constexpr std::size_t kMaxBytes = kMaxXmlDocumentBytes;
    static constexpr std::size_t kMaxDepth = XmlMarkupScan::kMaxDepth;
    static constexpr std::size_t kMaxAttributes = XmlMarkupScan::kMaxAttributes;

    // The text the parser is to read, as UTF-8, from the document's bytes;
    // the parser is told to ignore the declaration's encoding. Throws
    // XmlError for a document that no parser of the program may read.
    static std::string text(std::string_view bytes);

    // The error for a parser's own refusal: where, and the parser's reason
    // when it gave one. A line of 0 or less is unknown.
    static XmlError notWellFormed(long line, std::string_view reason);

    // White space between elements is layout, not content: a text node is
    // kept unless it is only blanks beside sibling elements.
    static bool keepsText(std::string_view text, bool besideElements);
};

} // namespace dv
