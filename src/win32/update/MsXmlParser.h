#pragma once

#include "core/update/XmlDocument.h"

namespace dv::win32 {

// XmlParser on MSXML 6 (DOMDocument60), hardened for documents from the
// network as the libxml2 adapter is: the program's pre-parse step first
// (XmlPreparse: size cap, decoding, attribute, namespace and depth bounds,
// no DTD), then MSXML with DTDs prohibited and refused, nothing external
// resolved, no validation; MSXML reads the Unicode text. Needs nothing but
// COM on the calling thread, which it sets up when the thread has none; any
// thread may parse.
class MsXmlParser : public XmlParser {
  public:
    XmlNode parse(std::string_view bytes) override;
};

} // namespace dv::win32
