#pragma once

#include <string>
#include <string_view>

namespace dv {

// An XML document's bytes as UTF-8, decided the way XML decides it: a
// byte-order mark, else the first characters' layout (UTF-16 without a
// mark), else the declaration's encoding, else UTF-8. The text is transcoded
// with libxml2's own converters, so every encoding the parser knows is
// known here. UCS-4 and EBCDIC documents are refused; so is an encoding
// that is unknown or does not fit the bytes. Throws XmlError.
//
// The parser then reads the result as UTF-8 and ignores the declaration, so
// whatever looks at the text before it (XmlMarkupScan) sees exactly what
// the parser will.
class XmlEncoding {
public:
    static std::string toUtf8(std::string_view bytes);
};

} // namespace dv
