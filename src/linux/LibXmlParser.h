#pragma once

#include "update/XmlDocument.h"

namespace dv {

// XmlParser on libxml2, hardened for documents from the network: at most
// 1 MiB and 64 levels deep, no network access, no DTD loading, no entity
// substitution. Refuses what other parsers refuse too (a DTD, undeclared
// namespace prefixes, encodings documentEncoding does not take), so the
// same document gets the same decisions on every platform.
class LibXmlParser : public XmlParser {
public:
    static constexpr std::size_t kMaxBytes = 1024 * 1024;
    static constexpr int kMaxDepth = 64;

    XmlNode parse(std::string_view bytes) override;
};

} // namespace dv
