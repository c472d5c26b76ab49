#include "linux/startwindow/StartWindowPicture.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace dv {

namespace {

constexpr std::size_t kHeaderBytes = sizeof(StartWindowPicture::kMagic) + 8;

std::uint32_t readLe32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void appendLe32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

} // namespace

StartWindowPicture::StartWindowPicture(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

std::optional<StartWindowPicture>
StartWindowPicture::parse(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < kHeaderBytes || std::memcmp(bytes.data(), kMagic, sizeof(kMagic)) != 0)
        return std::nullopt;
    const std::uint32_t width = readLe32(bytes.data() + 8);
    const std::uint32_t height = readLe32(bytes.data() + 12);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return std::nullopt;
    const std::size_t count = static_cast<std::size_t>(width) * height;
    if (bytes.size() != kHeaderBytes + count * 4)
        return std::nullopt;
    std::vector<std::uint32_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] = readLe32(bytes.data() + kHeaderBytes + i * 4);
    return StartWindowPicture(static_cast<int>(width), static_cast<int>(height), std::move(pixels));
}

std::optional<StartWindowPicture> StartWindowPicture::read(const std::string& path) {
    // stdio rather than streams: the start window carries its C++ runtime
    // inside, and streams would make it a megabyte larger.
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return std::nullopt;
    std::vector<unsigned char> bytes;
    unsigned char block[65536];
    for (std::size_t n; (n = std::fread(block, 1, sizeof(block), in)) > 0;)
        bytes.insert(bytes.end(), block, block + n);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed)
        return std::nullopt;
    return parse(bytes);
}

std::vector<unsigned char> StartWindowPicture::serialise() const {
    std::vector<unsigned char> out(std::begin(kMagic), std::end(kMagic));
    out.reserve(kHeaderBytes + pixels_.size() * 4);
    appendLe32(out, static_cast<std::uint32_t>(width_));
    appendLe32(out, static_cast<std::uint32_t>(height_));
    for (const std::uint32_t p : pixels_)
        appendLe32(out, p);
    return out;
}

std::vector<PictureRun> StartWindowPicture::visibleRuns() const {
    std::vector<PictureRun> runs;
    for (int y = 0; y < height_; ++y) {
        int x = 0;
        while (x < width_) {
            while (x < width_ && (pixel(x, y) >> 24) == 0)
                ++x;
            const int start = x;
            while (x < width_ && (pixel(x, y) >> 24) != 0)
                ++x;
            if (x > start)
                runs.push_back({start, y, x - start});
        }
    }
    return runs;
}

} // namespace dv
