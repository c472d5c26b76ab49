#pragma once

#include "update/XmlDocument.h"

namespace dv {

// XmlParser on libxml2, hardened for documents from the network: at most
// 1 MiB and 64 levels deep, no network access, no DTD loading, no entity
// substitution.
class LibXmlParser : public XmlParser {
public:
    static constexpr std::size_t kMaxBytes = kMaxXmlDocumentBytes;
    static constexpr int kMaxDepth = 64;

    XmlNode parse(std::string_view bytes) override;
};

} // namespace dv
