#pragma once

#include "core/update/XmlDocument.h"

namespace dv {

// XmlParser on libxml2, hardened for documents from the network: the
// program's pre-parse step first (XmlPreparse: at most 1 MiB, 64 levels,
// 64 attributes on an element and 64 namespace declarations in all, no
// document type declaration, the program's own decoding), then libxml2
// without network access or entity substitution. It refuses undeclared
// namespace prefixes as MSXML does. Any document within the size cap is
// read or refused in milliseconds (bench/xml_parse_bench). Safe to use from
// any thread; each call stands alone.
class LibXmlParser : public XmlParser {
  public:
    XmlNode parse(std::string_view bytes) override;
};

} // namespace dv
