#pragma once

#include <string>
#include <string_view>

namespace dv {

// The text of an ID3v1 tag for the player's title line: "artist title", or
// the title alone without an artist; empty when the block is no tag. The
// block is the last 128 bytes of the file (fewer for a short file, which is
// then untagged). Fields are Windows-1252, cut at their first NUL and trimmed
// of codes 0..32.
std::string tagTextOf(std::string_view lastBytes);

// Reads the tag of a file. A file that cannot be opened throws, with the
// system's reason in the message.
std::string FindMP3Tag(const std::string& path);

} // namespace dv
