#pragma once

#include "update/XmlMarkupScan.h"
#include "update/XmlDocument.h"

namespace dv {

// XmlParser on libxml2, hardened for documents from the network: at most
// 1 MiB and 64 levels deep, at most 64 attributes on an element and 64
// namespace declarations in all (XmlMarkupScan), no document type
// declaration, no network access, no entity substitution. The text it
// parses is the program's own decoding of the bytes (documentText), as for
// every parser of the program; it refuses undeclared namespace prefixes as
// MSXML does. Any document it takes parses in milliseconds
// (bench/xml_parse_bench). Safe to use from any thread; each call stands
// alone.
class LibXmlParser : public XmlParser {
public:
    static constexpr std::size_t kMaxBytes = kMaxXmlDocumentBytes;
    static constexpr int kMaxDepth = 64;
    static constexpr std::size_t kMaxAttributes = XmlMarkupScan::kMaxAttributes;

    XmlNode parse(std::string_view bytes) override;
};

} // namespace dv
