#pragma once

#include <string>
#include <string_view>

namespace dv {

// The encodings an update document may come in.
enum class DocumentEncoding { Utf8, Utf16LE, Utf16BE, Latin1, Windows1252, Ascii };

// The encoding of a document's bytes as XML decides it: the byte-order
// mark, else the layout of the first characters (UTF-16 without a mark),
// else the declaration, else UTF-8. Throws XmlError for what parsers would
// treat differently, so that every parser of the program takes or refuses a
// document alike: an encoding other than the six above (names as IANA
// writes them, UTF8, LATIN1 and CP1252 too), a mark and a declaration that
// disagree, 8-bit text declared as UTF-16 or the reverse, bytes above 127 in
// US-ASCII, and the five bytes Windows-1252 leaves undefined.
DocumentEncoding documentEncoding(std::string_view bytes);

// The charset a server names for the document (its Content-Type), as
// documentEncoding decides it, so that what is said and what the program
// reads are one: "UTF-8", "UTF-16" (with a byte-order mark, which tells the
// order), "UTF-16LE" or "UTF-16BE" (without one), "ISO-8859-1",
// "windows-1252" or "US-ASCII". Empty when documentEncoding refuses it.
std::string documentCharset(std::string_view bytes);

// The document's text as UTF-8, decoded as documentEncoding decides, its
// byte-order mark left out. Bytes that are not text in that encoding throw
// XmlError. A parser given this text and told to ignore the declaration
// reads exactly what the document says.
std::string documentText(std::string_view bytes);

} // namespace dv
