#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dv {

struct XmlNode;

// Where the program will do something other than an update document seems
// to say: popups it skips, comments and stray elements its group rule turns
// into quarantine entries, notes or messages, texts that are empty or only
// blanks, severities that show nothing, flags that are not exactly "0" or
// "1". One sentence a finding, for the editor.
std::vector<std::string> documentAdvice(const XmlNode& root);

// The same for a document's bytes; nothing when they do not parse (the
// preview reports that failure).
std::vector<std::string> documentAdvice(std::string_view document);

} // namespace dv
