#pragma once

#include <string>
#include <string_view>

namespace dv {

// The program keeps text as UTF-8. Old disc files and old pages speak
// Windows-1252; these helpers bridge the two and give the upper-casing the
// program's comparisons use.

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool isValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined
// become U+FFFD.
std::string windows1252ToUtf8(std::string_view bytes);

// Bytes of unknown origin as text: UTF-8 when they are valid UTF-8, else
// Windows-1252.
std::string bytesToText(std::string_view bytes);

// Changes the case of a-z / A-Z only, everything else kept.
std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);

// Upper-cases the Windows-1252 repertoire in UTF-8 text: ASCII, the Latin-1
// letters (å to Å, ä to Ä, ö to Ö, ...) and š œ ž ÿ. Everything else is kept.
// Lengths never change.
std::string upperAnsi(std::string_view utf8);

} // namespace dv
