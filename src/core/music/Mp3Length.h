#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

namespace dv {

// The playing time of an MPEG audio file (layers I to III, MPEG 1, 2 and
// 2.5) in milliseconds, read from its frames without decoding: the frame
// count of a Xing, Info or VBRI header, the size over the bit rate when the
// first frames share one, or else every frame counted. The title line shows
// it before any media device has opened the file. Nothing when the data is
// not MPEG audio or its frames cannot be followed.
std::optional<long> mp3LengthOf(std::istream& in);
std::optional<long> mp3LengthOf(const std::string& path);

} // namespace dv
