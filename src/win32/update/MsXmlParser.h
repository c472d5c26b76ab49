#pragma once

#include "update/XmlDocument.h"

namespace dv::win32 {

// XmlParser on MSXML 6 (DOMDocument60), hardened for documents from the
// network as the libxml2 adapter is: at most 1 MiB and 64 levels deep, the
// attribute and namespace bounds of XmlMarkupScan, DTDs prohibited and
// refused, nothing external resolved, no validation. The
// bytes are decoded by the program's own rule (documentText), the one the
// libxml2 adapter follows too, and MSXML reads the Unicode text. Needs
// nothing but COM on the calling thread, which it sets up when the thread
// has none; any thread may parse.
class MsXmlParser : public XmlParser {
public:
    static constexpr std::size_t kMaxBytes = kMaxXmlDocumentBytes;
    static constexpr int kMaxDepth = 64;

    XmlNode parse(std::string_view bytes) override;
};

} // namespace dv::win32
