#pragma once

#include <string_view>

namespace dv {

// The encodings an update document may come in.
enum class XmlEncoding { Utf8, Utf16LE, Utf16BE, Latin1, Windows1252, Ascii };

// The encoding of a document's bytes as an XML parser reads it: the
// byte-order mark, else the XML declaration, else UTF-8. Throws XmlError
// for what parsers treat differently, so that every parser of the program
// takes or refuses a document alike: an encoding other than the six above,
// a mark and a declaration that disagree, 8-bit text declared as UTF-16 or
// the reverse, bytes above 127 in US-ASCII, and the five bytes Windows-1252
// leaves undefined.
XmlEncoding xmlDocumentEncoding(std::string_view bytes);

} // namespace dv
