#pragma once

#include <cstddef>
#include <string_view>

namespace dv {

// How many bytes startsAsProgram needs to see.
inline constexpr std::size_t kProgramSignatureSize = 4;

// True when a file whose first bytes these are is a program the system runs
// by itself: an ELF binary, or a script that names its interpreter ("#!").
// Anything else is a document for the desktop's own application, whatever
// its permissions say: a disc without Unix permissions (FAT, ISO 9660
// without Rock Ridge) marks every file executable.
bool startsAsProgram(std::string_view firstBytes);

} // namespace dv
