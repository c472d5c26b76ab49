#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dv {

// The longest line a box or dialog hands to the platform's text layout in
// one piece. Laying out one line costs more than its length (a line of
// 800 000 characters without a blank froze a window for minutes), so a
// longer line is shown as several of this length; the platform wraps each
// to the box as it would any line.
inline constexpr std::size_t kMaxShownLineLength = 1000;

// The text with a line break (a carriage return, the core's own) inserted
// into every line longer than maxLength characters, after each maxLength
// characters; characters are UTF-8 sequences, never split. Removing the
// inserted breaks gives the text back.
std::string breakLongLines(std::string_view utf8, std::size_t maxLength = kMaxShownLineLength);

} // namespace dv
