#pragma once

#include <cstddef>
#include <string>

namespace dv::win32 {

// The full path of this program's executable as UTF-8, however long: a disc
// copied into a deep folder may lie beyond MAX_PATH. Empty when Windows
// cannot say. firstGuess is the buffer to try first, in characters.
std::string executablePath(std::size_t firstGuess = 260);

} // namespace dv::win32
