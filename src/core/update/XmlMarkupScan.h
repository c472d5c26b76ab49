#pragma once

#include <cstddef>
#include <string_view>

namespace dv {

// A pass over a UTF-8 XML document before the parser sees it, for the costs
// libxml2 2.9 has no limit of its own for; MSXML's adapter makes the same
// pass (XmlPreparse), so that both parsers take and refuse the same
// documents. libxml2's check for a repeated attribute compares each
// attribute of an element with every one before it, and namespace
// declarations are searched one by one, so one element with 150 000
// attributes in under 1 MiB takes minutes. An update document needs neither
// attributes nor namespaces; bounding them per element and per document
// keeps every document that passes to a few milliseconds. The nesting is
// bounded here too, before any parser builds a tree of it.
//
// Document type declarations are refused too: the service never sends one,
// and a DTD is where libxml2's other costly paths are (entity expansion,
// default attributes added to every element). A comment, CDATA section or
// processing instruction that is never closed is refused at once: no parser
// takes it, and reading on to look for its end again at every one is what
// made a document of 1 MiB take minutes.
//
// An update document holds a few dozen elements; 1 MiB of empty elements,
// attributes or comments took a parser up to two seconds, so the pieces of
// markup are counted too. With no DTD, a named entity other than XML's
// five is one no parser takes: refused here at once, where MSXML took a
// second to say so.
//
// The pass reads each character a bounded number of times, so any document
// within the size cap takes milliseconds. The counts err on the high side
// wherever the text is not well-formed, so nothing libxml2 reads as an
// attribute or a level escapes them. Throws XmlError, saying where.
class XmlMarkupScan {
  public:
    static constexpr std::size_t kMaxAttributes = 64;            // on one element
    static constexpr std::size_t kMaxNamespaceDeclarations = 64; // in the document
    static constexpr std::size_t kMaxDepth = 64;                 // levels of elements, the root one
    static constexpr std::size_t kMaxPieces =
        10000; // elements, attributes, comments, CDATA, PIs in all

    static void check(std::string_view utf8);
};

} // namespace dv
