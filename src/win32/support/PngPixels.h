#pragma once

#include <cstddef>
#include <vector>

namespace dv::win32 {

// A PNG file decoded by the Windows Imaging Component into the rows a DIB
// section holds: from the bottom up, each padded to four bytes, BGR when the
// file has no alpha, else BGRA with the colours premultiplied by it (what
// AlphaBlend draws).
struct PngPixels {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0; // 24 or 32; 0 when the bytes could not be decoded
    std::vector<unsigned char> rows;

    static PngPixels decode(const unsigned char* bytes, std::size_t size);
};

} // namespace dv::win32
